// Each hidden tile tinted by its chance of a mine, the guessed one outlined,
// and at two device pixels a pixel or more, the percentage on the tile.
#include "ui/qt/chances_view.h"

#include <QLabel>
#include <QPainter>
#include <cmath>
#include <vector>

#include "engine/board.h"
#include "ui/common/chance_tint.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"
#include "ui/qt/status_bar.h"

ChancesView* chances_view;

namespace {
std::vector<float> shown;  // empty: nothing shown
int shown_chosen;
}  // namespace

ChancesView::ChancesView(QWidget* field) : QWidget(field)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(field->rect());
}

void ChancesView::paintEvent(QPaintEvent*)
{
    if (shown.empty())
        return;
    QPainter painter(this);
    QFont digits = painter.font();
    digits.setPixelSize(TILE_SIZE / 2);
    painter.setFont(digits);
    bool fine = devicePixelRatioF() >= 2;
    for (int i = 0; i < int(shown.size()) && i < xdim * ydim; i++) {
        if (shown[i] < 0)
            continue;
        QRect tile(cell_left(i % xdim), cell_top(i / xdim), TILE_SIZE, TILE_SIZE);
        tint_colour tint = chance_tint(shown[i]);
        painter.fillRect(tile, QColor(tint.red, tint.green, tint.blue, TINT_ALPHA));
        if (fine)
            painter.drawText(tile, Qt::AlignCenter, QString::number(std::lround(100 * shown[i])));
    }
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRect(cell_left(shown_chosen % xdim), cell_top(shown_chosen / xdim), TILE_SIZE, TILE_SIZE)
                         .adjusted(1, 1, -1, -1));
}

void draw_chances(const float* chance, int chosen, const char* reason)
{
    shown.assign(chance, chance + xdim * ydim);
    shown_chosen = chosen;
    status_parts[0]->setToolTip(QString::fromLatin1(reason));
    chances_view->update();
}

void clear_chances()
{
    if (shown.empty())
        return;
    shown.clear();
    chances_view->update();
}
