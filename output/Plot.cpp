// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Plot.h"

#include "measure/ChartColours.h"
#include "output/PlotAxis.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr int Width = 1100;
constexpr int PanelHeight = 400;
constexpr int LeftSpace = 100; // tick labels and the axis's name
constexpr int RightSpace = 30;
constexpr int TopSpace = 40;    // the panel's title
constexpr int BottomSpace = 60; // tick labels and the time axis's name

struct TCurve {
    QString Name;
    QColor Colour;
    std::function<std::optional<double>(const TSeriesRow&)> Value;
};

struct TPanel {
    QString Title;
    QString Unit; // the vertical axis's name with its unit
    std::vector<TCurve> Curves;
};

const QLocale German(QLocale::German, QLocale::Germany);

QColor ColourOf(const TRgb& rgb) {
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

QString TickText(double value, int decimals) {
    // A tick at zero shows no minus sign from rounding.
    return German.toString(std::fabs(value) < 1e-12 ? 0.0 : value, 'f', decimals);
}

// The curve as a polyline of at most four points per pixel column (first,
// lowest, highest, last), so that a long run keeps its envelope.
QPolygonF CurveLine(const TPlotRows& rows, const TCurve& curve, const TAxis& time,
                    const TAxis& value, const QRectF& area) {
    const auto x = [&](double t) {
        return area.left() + (t - time.Low) / (time.High - time.Low) * area.width();
    };
    const auto y = [&](double v) {
        return area.bottom() - (v - value.Low) / (value.High - value.Low) * area.height();
    };
    QPolygonF line;
    long column = std::numeric_limits<long>::min();
    QPointF first, low, high, last;
    const auto flush = [&] {
        if (column == std::numeric_limits<long>::min()) return;
        for (const QPointF& p : {first, low, high, last}) {
            if (line.isEmpty() || line.back() != p) line << p;
        }
    };
    for (std::size_t k = 0; k < rows.Count; ++k) {
        const TSeriesRow& row = rows.At(k);
        const std::optional<double> v = curve.Value(row);
        if (!v) continue;
        const QPointF p(x(row.SimTime), y(*v));
        const long c = std::lround(std::floor(p.x()));
        if (c != column) {
            flush();
            column = c;
            first = low = high = p;
        }
        if (p.y() < low.y()) low = p;
        if (p.y() > high.y()) high = p;
        last = p;
    }
    flush();
    return line;
}

void DrawPanel(QPainter& painter, const TPlotRows& rows, const TPanel& panel, QRect frame) {
    const QRectF area(frame.left() + LeftSpace, frame.top() + TopSpace,
                      frame.width() - LeftSpace - RightSpace,
                      frame.height() - TopSpace - BottomSpace);
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (std::size_t k = 0; k < rows.Count; ++k) {
        for (const TCurve& curve : panel.Curves) {
            const std::optional<double> v = curve.Value(rows.At(k));
            if (!v) continue;
            low = std::min(low, *v);
            high = std::max(high, *v);
        }
    }
    if (low > high) low = high = 0; // no probe has a value yet
    const TAxis time = TAxis::Over(rows.At(0).SimTime, rows.At(rows.Count - 1).SimTime, 10);
    const TAxis value = TAxis::Over(low, high, 8);

    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(area.left(), frame.top(), area.width(), TopSpace), Qt::AlignCenter,
                     panel.Title);
    font.setBold(false);
    font.setPixelSize(13);
    painter.setFont(font);

    // Grid, ticks and their values.
    const QPen grid(QColor(225, 225, 225), 1);
    const QPen axis(Qt::black, 1);
    for (double t : time.Ticks()) {
        const double px = area.left() + (t - time.Low) / (time.High - time.Low) * area.width();
        painter.setPen(grid);
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        painter.setPen(axis);
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + 5));
        painter.drawText(QRectF(px - 50, area.bottom() + 7, 100, 18),
                         Qt::AlignHCenter | Qt::AlignTop, TickText(t, time.Decimals));
    }
    for (double v : value.Ticks()) {
        const double py =
            area.bottom() - (v - value.Low) / (value.High - value.Low) * area.height();
        painter.setPen(grid);
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
        painter.setPen(axis);
        painter.drawLine(QPointF(area.left() - 5, py), QPointF(area.left(), py));
        painter.drawText(QRectF(area.left() - 75, py - 9, 68, 18),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(v, value.Decimals));
    }
    painter.setPen(axis);
    painter.drawRect(area);
    painter.drawText(QRectF(area.left(), area.bottom() + 28, area.width(), 20),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Simulationszeit t (Zeiteinheiten der Simulation)"));
    painter.save();
    painter.translate(frame.left() + 16, area.center().y());
    painter.rotate(-90);
    // A low panel (the live chart's) gets its caption on two lines, smaller,
    // and elided only where even that is too long.
    const double room = area.height();
    int flags = Qt::AlignCenter;
    QString caption = panel.Unit;
    for (;;) {
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(caption) <= room) break;
        const QRectF wrapped =
            metrics.boundingRect(QRectF(0, 0, room, 1000), Qt::TextWordWrap, caption);
        if (wrapped.width() <= room && wrapped.height() <= 2 * metrics.lineSpacing() + 1) {
            flags |= Qt::TextWordWrap;
            break;
        }
        if (font.pixelSize() <= 9) {
            caption = metrics.elidedText(caption, Qt::ElideRight, room);
            break;
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
    painter.setFont(font);
    painter.drawText(QRectF(-room / 2, -18, room, 36), flags, caption);
    painter.restore();

    // The curves, clipped to the panel's area.
    painter.save();
    painter.setClipRect(area);
    for (const TCurve& curve : panel.Curves) {
        // A thin line: a wider stroke costs the live chart tens of milliseconds a picture.
        painter.setPen(QPen(curve.Colour, 1));
        painter.drawPolyline(CurveLine(rows, curve, time, value, area));
    }
    painter.restore();

    // The legend, in the panel's top right corner.
    const int lineHeight = 20;
    const QRectF legend(area.right() - 210, area.top() + 8, 200,
                        static_cast<double>(lineHeight) * static_cast<double>(panel.Curves.size()) +
                            8);
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(legend);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t k = 0; k < panel.Curves.size(); ++k) {
        const double py = legend.top() + 4 + lineHeight * (static_cast<double>(k) + 0.5);
        painter.setPen(QPen(panel.Curves[k].Colour, 3));
        painter.drawLine(QPointF(legend.left() + 8, py), QPointF(legend.left() + 34, py));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(legend.left() + 42, py - 9, legend.width() - 46, 18),
                         Qt::AlignLeft | Qt::AlignVCenter, panel.Curves[k].Name);
    }
}

} // namespace

QColor ProbeColour(std::size_t column) {
    return ColourOf(ProbeColours[column % ProbeColours.size()]);
}

void PaintPlot(QPainter& painter, const QRect& frame, const std::vector<TPlotProbe>& probes,
               const TPlotRows& rows) {
    std::vector<TPanel> panels;
    if (!probes.empty()) {
        TPanel probePanel{QStringLiteral("Auslenkung der Sonden"),
                          QStringLiteral("Auslenkung Z (Modelleinheiten)"),
                          {}};
        for (const TPlotProbe& probe : probes) {
            probePanel.Curves.push_back(
                {QStringLiteral("Knoten (%1, %2)").arg(probe.Node.X).arg(probe.Node.Y),
                 ProbeColour(probe.Column),
                 [column = probe.Column](const TSeriesRow& row) { return row.Probes[column]; }});
        }
        panels.push_back(std::move(probePanel));
    }
    panels.push_back({QStringLiteral("Energie des sichtbaren Netzes (je Masse)"),
                      QStringLiteral("E (Modelleinheiten² / Zeiteinheit²)"),
                      {{QStringLiteral("Bewegung (kinetisch)"), ColourOf(EnergyColours[0]),
                        [](const TSeriesRow& r) { return r.Kinetic; }},
                       {QStringLiteral("eigene Federn"), ColourOf(EnergyColours[1]),
                        [](const TSeriesRow& r) { return r.OwnSprings; }},
                       {QStringLiteral("Kopplungsfedern"), ColourOf(EnergyColours[2]),
                        [](const TSeriesRow& r) { return r.CouplingSprings; }},
                       {QStringLiteral("gesamt"), ColourOf(EnergyColours[3]),
                        [](const TSeriesRow& r) { return r.Total; }}}});

    if (rows.Count == 0) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const int height = frame.height() / static_cast<int>(panels.size());
    for (std::size_t k = 0; k < panels.size(); ++k) {
        DrawPanel(
            painter, rows, panels[k],
            QRect(frame.left(), frame.top() + height * static_cast<int>(k), frame.width(), height));
    }
}

QImage DrawPlot(const TSeries& series) {
    std::vector<TPlotProbe> probes;
    for (std::size_t k = 0; k < series.Probes().size(); ++k)
        probes.push_back({series.Probes()[k], k});
    const int panels = probes.empty() ? 1 : 2;
    QImage chart(Width, PanelHeight * panels, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    PaintPlot(painter, chart.rect(), probes,
              {series.Rows().size(),
               [&series](std::size_t k) -> const TSeriesRow& { return series.Rows()[k]; }});
    return chart;
}
