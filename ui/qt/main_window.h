// The main window: thin widgets that hand every event to the window's handlers.
#pragma once

#include <QEvent>
#include <QWidget>

// The top-level window: menu bar, field view and status bar.
class MainWindow : public QWidget {
    Q_OBJECT
protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// The field: paints field_picture, takes the left presses.
class FieldView : public QWidget {
    Q_OBJECT
protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Posted to main_window when the solver has handed something over.
inline const QEvent::Type TAKE_JOBS_EVENT = static_cast<QEvent::Type>(QEvent::User + 1);

extern MainWindow* main_window;
extern FieldView* field_view;

inline constexpr const char* WINDOW_TITLE = "Orvanta";

// Creates the window, its menu and its two-part status bar, sized to the
// board; not shown yet.
void create_main_window();

