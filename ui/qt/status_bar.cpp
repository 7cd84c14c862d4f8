// The status bar's two sunken parts.
#include "ui/qt/status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"

QWidget* status_bar;
QLabel* status_parts[2];

namespace {
QLabel* create_part()
{
    auto* part = new QLabel("-");
    part->setTextFormat(Qt::PlainText);
    part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    part->setIndent(2);
    return part;
}
}  // namespace

QWidget* create_status_bar(int client_width)
{
    status_bar = new QWidget;
    auto* layout = new QHBoxLayout(status_bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    status_parts[0] = create_part();
    status_parts[0]->setFixedWidth(status_part0_right(client_width));
    status_parts[1] = create_part();
    // A long text is cut at the border rather than widening the fixed window.
    status_parts[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(status_parts[0]);
    layout->addWidget(status_parts[1], 1);
    return status_bar;
}

void show_status_part(int part, const char* text)
{
    if (status_parts[part])
        status_parts[part]->setText(QString::fromLatin1(text));
}
