#include "shell/MainWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MainWindow::MainWindow(ProgramState& state, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state) {
    setWindowTitle(QStringLiteral("Tellarin"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(
        new QLabel(QStringLiteral("Release %1").arg(QStringLiteral(TELLARIN_VERSION)), central));
    auto* buttons = new QHBoxLayout;
    auto* showClock = new QPushButton(QStringLiteral("Show &Clock"), central);
    showClock->setObjectName(QStringLiteral("cmdShowClock"));
    auto* exit = new QPushButton(QStringLiteral("E&xit"), central);
    exit->setObjectName(QStringLiteral("cmdExitProgram"));
    buttons->addWidget(showClock);
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    setCentralWidget(central);
    connect(showClock, &QPushButton::clicked, this, [this] {
        if (m_showClock)
            m_showClock();
    });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}
