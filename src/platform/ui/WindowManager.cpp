#include "platform/ui/WindowManager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#ifdef TELLARIN_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <string>
#include <xcb/xcb.h>
#endif

namespace {
#ifdef TELLARIN_HAVE_XCB
xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

xcb_window_t windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t found = XCB_WINDOW_NONE;
    if (reply && reply->type == XCB_ATOM_WINDOW && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&found, xcb_get_property_value(reply), sizeof found);
    std::free(reply);
    return found;
}

// A window manager owns the WM_Sn selection of its screen (ICCCM) or names a live window of its own
// on the root window (EWMH); either is enough.
bool x11Managed(xcb_connection_t* c)
{
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    int number = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it), ++number) {
        const xcb_atom_t selection = atom(c, ("WM_S" + std::to_string(number)).c_str());
        xcb_get_selection_owner_reply_t* owner =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
        const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
        if (owned)
            return true;
        if (check != XCB_ATOM_NONE) {
            const xcb_window_t child = windowProperty(c, it.data->root, check);
            if (child != XCB_WINDOW_NONE && windowProperty(c, child, check) == child)
                return true;
        }
    }
    return false;
}
#endif
} // namespace

bool WindowManager::isRunning()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
#ifdef TELLARIN_HAVE_XCB
        if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            return x11Managed(x11->connection());
#endif
        return true; // cannot tell: trust the maximise request
    }
    static const QStringList unmanaged = {QStringLiteral("offscreen"), QStringLiteral("minimal"),
                                          QStringLiteral("linuxfb"),   QStringLiteral("eglfs"),
                                          QStringLiteral("vnc"),       QStringLiteral("vkkhrdisplay"),
                                          QStringLiteral("minimalegl")};
    return !unmanaged.contains(platform);
}

void WindowManager::showFilling(QWidget* window)
{
    if (isRunning()) {
        window->showMaximized();
    } else {
        // Nobody acts on the full-screen request either: the window takes the screen's size itself.
        if (const QScreen* screen = window->screen())
            window->setGeometry(screen->geometry());
        window->showFullScreen();
    }
    window->activateWindow();
}
