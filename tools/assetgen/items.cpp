#include "art.h"
namespace art {
void addItemImages(QVector<ImageSpec> &) {}
void drawPortal(QPainter &, QPointF, double, double) {}
}
