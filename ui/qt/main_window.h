// The main window: thin widgets that hand every event to the window's handlers.
#pragma once

#include <QEvent>
#include <QWidget>

class QAction;

// The top-level window: menu bar, field view and status bar.
class MainWindow : public QWidget {
    Q_OBJECT
protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// The field: paints field_picture, takes the left presses.
class FieldView : public QWidget {
    Q_OBJECT
protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Posted to mineWind when the solver has queued something for the window thread.
inline const QEvent::Type TAKE_PENDING_EVENT = static_cast<QEvent::Type>(QEvent::User + 1);

extern MainWindow* mineWind;
extern FieldView* field_view;
// The three options' menu items, whose check marks follow their flags.
extern QAction* nonstop_item;
extern QAction* goslow_item;
extern QAction* guess_item;

inline constexpr const char* szAppCaption = "Orvanta";

// Creates the window, its menu and its two-part status bar, sized to the
// board; not shown yet.
void create_main_window();

// Sets the three check marks from their flags.
void sync_check_marks();
