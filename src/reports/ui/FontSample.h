#pragma once

#include <QFont>
#include <QWidget>

// The font sample: "aAbB--" in regular weight and "yYzZ" in bold, centred, in the report font.
class FontSample final : public QWidget {
public:
    explicit FontSample(QWidget* parent);
    void setSampleFont(const QFont& font);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QFont m_font;
};
