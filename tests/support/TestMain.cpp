// Test programs run headless, in a fixed locale and time zone, whatever the machine has. Domain
// tests get a QCoreApplication (or a QGuiApplication where they paint), window tests a QApplication.
#include TELLARIN_TEST_APP_HEADER

#include <QLocale>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The kiosk checks run on a bare X server of their own; everything else stays off screen.
    if (const char* display = std::getenv("TELLARIN_TEST_DISPLAY")) {
        setenv("DISPLAY", display, 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    setenv("TZ", "America/New_York", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    tzset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TELLARIN_TEST_APP app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
