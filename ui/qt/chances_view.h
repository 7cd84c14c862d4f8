// The chances at a guess, on a layer of their own over the field view.
#pragma once

#include <QWidget>

// Transparent to the mouse; paints the window side's own copy of the chances.
class ChancesView : public QWidget {
    Q_OBJECT
public:
    explicit ChancesView(QWidget* field);

protected:
    void paintEvent(QPaintEvent* event) override;
};

extern ChancesView* chances_view;

// The chances go when the next cell or field is drawn.
void clear_chances();
