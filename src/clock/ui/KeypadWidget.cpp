#include "clock/ui/KeypadWidget.h"

#include <QGridLayout>
#include <QPushButton>

namespace {
const QString rows[] = {QStringLiteral("1234567890"), QStringLiteral("QWERTYUIOP"),
                        QStringLiteral("ASDFGHJKL"), QStringLiteral("ZXCVBNM")};
const QString characters = rows[0] + rows[1] + rows[2] + rows[3];
constexpr int keySize = 48; // a fingertip, with room to spare
} // namespace

QString KeypadWidget::caption(int key)
{
    if (key >= 0 && key < characterKeys)
        return characters.at(key);
    if (key == enterKey)
        return QStringLiteral("E  N  T  E  R");
    if (key == clearKey)
        return QStringLiteral("Clear");
    return {};
}

KeypadWidget::KeypadWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Keypad"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto addKey = [&](int key, int row, int column, int span) {
        auto* button = new QPushButton(caption(key), this);
        button->setObjectName(QStringLiteral("cmdKey%1").arg(key));
        button->setFocusPolicy(Qt::NoFocus);
        // span counts half keys
        button->setMinimumSize(keySize * span / 2, keySize);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
        grid->addWidget(button, row, column, 1, span);
        connect(button, &QPushButton::clicked, this, [this, key] { Q_EMIT keyPressed(key); });
    };
    // Each row starts half a key further right, as on a keyboard; a grid of half keys does that.
    int key = 0;
    for (int row = 0; row < 4; ++row) {
        for (int i = 0; i < rows[row].size(); ++i)
            addKey(key++, row, row + 2 * i, 2);
    }
    for (int column = 0; column <= 20; ++column) {
        grid->setColumnMinimumWidth(column, keySize / 2);
        grid->setColumnStretch(column, 1);
    }
    addKey(enterKey, 4, 2, 12);
    addKey(clearKey, 4, 15, 5);
}
