// Build tool: rasterises one SVG to OUT.png at its own size and to
// OUT@2x.png at twice that, so the interface stays crisp on scaled screens.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool render(QSvgRenderer &svg, qreal scale, const QString &file) {
  const QSize size = (QSizeF(svg.defaultSize()) * scale).toSize();
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  return image.save(file, "PNG");
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: svg2png IN.svg OUT.png\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "svg2png: cannot read %s\n", argv[1]);
    return 1;
  }
  QString out = QString::fromLocal8Bit(argv[2]);
  QString out2x = out;
  out2x.insert(out2x.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
  if (!render(svg, 1, out) || !render(svg, 2, out2x)) {
    std::fprintf(stderr, "svg2png: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
