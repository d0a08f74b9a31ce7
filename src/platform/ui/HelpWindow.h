#pragma once

#include <QWidget>

class QListWidget;
class QTextBrowser;

// The help viewer: the list of topics beside the text of the chosen one.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the topic with this number; an unknown number shows the overview.
    void showTopic(int number);
    int currentTopic() const { return m_current; }

private:
    QListWidget* m_topics = nullptr;
    QTextBrowser* m_text = nullptr;
    int m_current = 0;
};
