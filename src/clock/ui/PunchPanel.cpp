#include "clock/ui/PunchPanel.h"

#include "clock/Punch.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QValidator>

namespace {
QString css(const Rgb& c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

// Lets into the tips box only what makes an amount of money.
class TipsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        QString accepted;
        for (const QChar c : input) {
            if (!Punch::acceptsTipsChar(accepted, c))
                return Invalid;
            accepted.append(c);
        }
        return Acceptable;
    }
};

QPixmap welcomePicture()
{
    QPixmap pixmap(56, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 128), 4));
    p.setBrush(QColor(255, 210, 60));
    p.drawEllipse(6, 6, 44, 44);
    p.drawLine(28, 28, 28, 14);
    p.drawLine(28, 28, 38, 32);
    return pixmap;
}
} // namespace

PunchPanel::PunchPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlFin"));
    setFrameShape(QFrame::Box);
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(QStringLiteral("pnlLine%1").arg(i));
        m_lines[i]->setAlignment(Qt::AlignCenter);
        m_lines[i]->setWordWrap(true);
        layout->addWidget(m_lines[i], i, 0, 1, 2);
    }
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("pnlPicture"));
    m_picture->setPixmap(welcomePicture());
    layout->addWidget(m_picture, 0, 2, 2, 1);
    m_tipsCaption = new QLabel(QStringLiteral("Type in tips and press Enter"), this);
    m_tipsCaption->setObjectName(QStringLiteral("lblTips"));
    m_tips = new QLineEdit(this);
    m_tips->setObjectName(QStringLiteral("txtTips"));
    m_tips->setMaxLength(12);
    m_tips->setValidator(new TipsValidator(m_tips));
    m_tips->setContextMenuPolicy(Qt::NoContextMenu);
    m_exit = new QPushButton(QStringLiteral("&Exit"), this);
    m_exit->setObjectName(QStringLiteral("cmdExit"));
    layout->addWidget(m_tipsCaption, 4, 0);
    layout->addWidget(m_tips, 4, 1);
    layout->addWidget(m_exit, 4, 2);
    connect(m_tips, &QLineEdit::returnPressed, this, &PunchPanel::tipsEntered);
    connect(m_exit, &QPushButton::clicked, this, &PunchPanel::cancelled);
    hide();
    showTips(false);
}

void PunchPanel::present(const Punch& punch)
{
    const PanelLook& look = punch.look();
    const QString background = css(look.background);
    setStyleSheet(
        QStringLiteral("QFrame#pnlFin { background: %1; border: 2px solid rgb(0,96,0); }").arg(background));
    const auto paint = [&](QLabel* line, const Rgb& colour, int points) {
        line->setStyleSheet(QStringLiteral("color: %1; background: %2; font-size: %3pt;")
                                .arg(css(colour), background)
                                .arg(points));
    };
    paint(m_lines[0], look.line0, 16);
    if (look.line2) {
        paint(m_lines[2], *look.line2, 18);
    } else {
        // Only the background follows the outcome; the text keeps the colour it had.
        QString sheet = m_lines[2]->styleSheet();
        const qsizetype at = sheet.indexOf(QStringLiteral("background:"));
        if (at >= 0)
            sheet = sheet.left(at);
        m_lines[2]->setStyleSheet(sheet + QStringLiteral("background: %1; font-size: 18pt;").arg(background));
    }
    paint(m_lines[1], look.line0, 14);
    paint(m_lines[3], look.line3, 14);
    m_lines[0]->setText(punch.employeeName());
    m_lines[1]->hide();
    m_lines[2]->setText(look.line2Text);
    m_lines[3]->setText(look.line3Text);
    m_picture->setVisible(look.pictureVisible);
    showTips(punch.asksForTips());
    m_tips->clear();
    show();
    raise();
    repaint();
}

void PunchPanel::showWeekHours(const QString& line)
{
    m_lines[1]->setText(line);
    m_lines[1]->show();
}

void PunchPanel::hideTips()
{
    showTips(false);
}

void PunchPanel::dismiss()
{
    hide();
    showTips(false);
}

QString PunchPanel::tips() const
{
    return m_tips->text();
}

void PunchPanel::clearTips()
{
    m_tips->clear();
}

void PunchPanel::focusTips()
{
    m_tips->setFocus();
}

void PunchPanel::showTips(bool shown)
{
    m_tipsCaption->setVisible(shown);
    m_tips->setVisible(shown);
    m_exit->setVisible(shown);
}
