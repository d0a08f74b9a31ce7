#pragma once

#include <QWidget>

class QListWidget;
class QTextBrowser;

// The help viewer: the list of topics beside the text of the chosen one, with its own way out, since
// a kiosk may have no window manager to close it.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the topic with this number; an unknown number shows the overview.
    void showTopic(int number);
    int currentTopic() const { return m_current; }
    QSize sizeHint() const override { return {760, 520}; }

Q_SIGNALS:
    // Emitted whenever the window goes out of sight, by its button, a key or the window manager.
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QListWidget* m_topics = nullptr;
    QTextBrowser* m_text = nullptr;
    int m_current = 0;
};
