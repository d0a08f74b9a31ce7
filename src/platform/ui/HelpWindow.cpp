#include "platform/ui/HelpWindow.h"

#include "platform/HelpTopics.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tellarin help"));
    resize(sizeHint());
    setMinimumSize(480, 320);
    auto* outer = new QVBoxLayout(this);
    auto* layout = new QHBoxLayout;
    outer->addLayout(layout, 1);
    m_topics = new QListWidget(this);
    m_topics->setObjectName(QStringLiteral("lstTopics"));
    m_topics->setMaximumWidth(220);
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("txtHelp"));
    m_text->setOpenExternalLinks(false);
    layout->addWidget(m_topics);
    layout->addWidget(m_text, 1);
    for (const HelpTopics::Topic& topic : HelpTopics::all()) {
        auto* item = new QListWidgetItem(topic.title, m_topics);
        item->setData(Qt::UserRole, topic.number);
    }
    connect(m_topics, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            showTopic(item->data(Qt::UserRole).toInt());
    });
    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addStretch(1);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    showTopic(HelpTopics::overview);
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT closed();
}

void HelpWindow::showTopic(int number)
{
    const std::optional<HelpTopics::Topic> topic =
        HelpTopics::find(number) ? HelpTopics::find(number) : HelpTopics::find(HelpTopics::overview);
    if (!topic || topic->number == m_current)
        return;
    m_current = topic->number;
    m_text->setHtml(topic->html);
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(Qt::UserRole).toInt() == m_current)
            m_topics->setCurrentRow(row);
    }
}
