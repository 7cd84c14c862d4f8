// The main window's widgets, its menu and its events.
#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

#include "resources/resource_ids.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"
#include "ui/qt/chances_view.h"
#include "ui/qt/commands.h"
#include "ui/qt/painting.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/tiles.h"

MainWindow* main_window;
FieldView* field_view;

bool MainWindow::event(QEvent* event)
{
    if (event->type() != TAKE_JOBS_EVENT)
        return QWidget::event(event);
    take_window_jobs();
    return true;
}

bool MainWindow::eventFilter(QObject*, QEvent* event)
{
    // Uncovered: repaint everything, both status parts included.
    if (event->type() == QEvent::Expose)
        invalidate_window();
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window stays until the loop ends, as after Exit.
    event->ignore();
    handle_command(IDM_EXIT);
}

void FieldView::paintEvent(QPaintEvent* event)
{
    paint_window();
    QPainter painter(this);
    painter.drawImage(event->rect(), field_picture, event->rect());
}

void FieldView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QPoint pixel = event->position().toPoint();
    if (pixel.x() < 0 || pixel.y() < 0)
        return;
    if (press_field(static_cast<unsigned>(pixel.x()), static_cast<unsigned>(pixel.y())))
        post_command(IDM_SOLVE);
}

void create_main_window()
{
    field_picture = QImage(field_width(), field_height(), QImage::Format_RGB32);
    field_picture.fill(Qt::white);

    main_window = new MainWindow;
    main_window->setWindowTitle(WINDOW_TITLE);
    main_window->setWindowIcon(program_icon());
    // A title bar, the window menu, minimise and close; no maximise.
    main_window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(main_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(create_menu_bar(main_window));

    field_view = new FieldView;
    field_view->setFixedSize(field_width(), field_height());
    field_view->setCursor(Qt::CrossCursor);
    field_view->setAttribute(Qt::WA_OpaquePaintEvent);
    chances_view = new ChancesView(field_view);
    layout->addWidget(field_view);
    layout->addWidget(create_status_bar(field_width()));
    sync_check_marks();
    main_window->setFixedSize(main_window->sizeHint());
}
