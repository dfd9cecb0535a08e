// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoPage.h"

#include "Formula.h"
#include "resources/BuiltinPictures.h"

#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QTextLayout>

#include <stdexcept>
#include <string>

namespace {

constexpr int Margin = 40;
constexpr int TextWidth = InfoPictureSize.width() - 2 * Margin;
constexpr int TitlePixels = 30;
constexpr int BodyPixels = 14;
constexpr int LineHeight = 21;
constexpr int ParagraphGap = 10;
constexpr int FormulaPixels = 18;
constexpr int SubscriptPixels = 13;
// The closing rule lies one margin above the bottom edge.
constexpr int ClosingRuleY = InfoPictureSize.height() - Margin;

// The text of the page. Between two $ signs stands a variable, set in italic;
// a | marks where a long word may be hyphenated at the end of a line.
constexpr const char* Introduction =
    "Das Programm berechnet, wie sich Störungen in einem Netz aus 71\u202f×\u202f71 "
    "gekoppelten Pendeln (harmonischen Os|zil|la|to|ren) ausbreiten. Dazu wird die "
    "Bewegungs|gleichung jedes einzelnen Pendels schrittweise durch Itera|tion gelöst. Eine "
    "typische Differential|gleichung für ein Pendel mit vier Kopp|lungen, also eines im "
    "Inneren des Netzes, lautet:";
constexpr const char* Symbols =
    "Darin ist $x$ die Aus|lenkung des Pendels an der Stelle ($i$, $j$) des Netzes, $k$ die "
    "Kopplungs|konstante und $D$/$m$ die Rückstell|konstante: die Richt|größe $D$ der Feder, "
    "die das Pendel in seine Ruhe|lage zurückzieht, geteilt durch seine Masse $m$.";
constexpr const char* Waves =
    "Wird ein einzelnes Pendel periodisch angeregt, so breitet sich von ihm eine "
    "Elementar|welle über das Netz aus. Je nach Dämpfung am Rand läuft sie dort aus oder "
    "wird reflek|tiert und läuft in das Netz zurück. Zwei Erreger erzeugen die typische "
    "Über|lage|rung zweier Wellen (Inter|ferenz), wie man sie vom Doppel|spalt|versuch "
    "kennt: Es entstehen Streifen, in denen sich die Wellen verstärken, und solche, in "
    "denen sie sich auslöschen.";
constexpr const char* Membrane =
    "Bei extrem starker Kopplung der Os|zil|la|to|ren schließlich zeigt das Netz das "
    "Verhalten einer zu Schwin|gungen angeregten Membran.";

QFont PageFont(int pixels, QFont::Weight weight = QFont::Normal, bool italic = false) {
    QFont font(QString::fromLatin1(InfoPageFontFamily));
    font.setPixelSize(pixels);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

// Splits "$x$ text" into the plain text and the italic ranges, turning each |
// into a soft hyphen.
QString ParseMarkedText(const char* marked, QList<QTextLayout::FormatRange>& italics) {
    const QString source = QString::fromUtf8(marked);
    QString text;
    qsizetype italicStart = -1;
    for (const QChar c : source) {
        if (c == u'|') {
            text += QChar(0x00AD);
        } else if (c != u'$') {
            text += c;
        } else if (italicStart < 0) {
            italicStart = text.size();
        } else {
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(italicStart);
            range.length = static_cast<int>(text.size() - italicStart);
            range.format.setFontItalic(true);
            italics.append(range);
            italicStart = -1;
        }
    }
    return text;
}

// Writes the page from top to bottom; Top is where the next block begins.
class PageWriter {
  public:
    explicit PageWriter(QPainter& painter) : Painter(painter) {}

    void Title(const QString& title) {
        const QFont font = PageFont(TitlePixels, QFont::Bold);
        const QFontMetricsF metrics(font);
        const qreal baseline = Top - metrics.tightBoundingRect(title).top();
        const qreal left = (InfoPictureSize.width() - metrics.horizontalAdvance(title)) / 2;
        Painter.setFont(font);
        Painter.drawText(QPointF(left, baseline), title);
        Top = baseline + metrics.descent();
    }

    // A one-pixel rule across the text column at `y`.
    void Rule(int y) { Painter.fillRect(QRect(Margin, y, TextWidth, 1), Qt::black); }

    void RuleBelow(int gap) {
        const int y = static_cast<int>(Top) + gap;
        Rule(y);
        Top = y + 1;
    }

    void Skip(qreal pixels) { Top += pixels; }

    // A justified paragraph; its last line stays ragged.
    void Paragraph(const char* marked) {
        QList<QTextLayout::FormatRange> italics;
        QTextLayout layout(ParseMarkedText(marked, italics), PageFont(BodyPixels));
        layout.setFormats(italics);
        QTextOption option(Qt::AlignJustify);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal lineTop = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(TextWidth);
            line.setPosition(QPointF(0, lineTop));
            lineTop += LineHeight;
        }
        layout.endLayout();
        layout.draw(&Painter, QPointF(Margin, Top));
        Top += lineTop;
    }

    // The equation of motion, centred on a line of its own.
    void Formula() {
        FormulaFonts fonts{PageFont(FormulaPixels), PageFont(FormulaPixels, QFont::Normal, true),
                           PageFont(SubscriptPixels),
                           PageFont(SubscriptPixels, QFont::Normal, true)};
        FormulaWriter measure(nullptr, QPointF(0, 0), fonts);
        WriteEquationOfMotion(measure);
        if (measure.Width() > TextWidth) throw std::runtime_error("the formula is too wide");
        const QPointF start((InfoPictureSize.width() - measure.Width()) / 2,
                            Top + measure.Ascent());
        FormulaWriter writer(&Painter, start, fonts);
        WriteEquationOfMotion(writer);
        Top = start.y() + measure.Descent();
    }

    qreal Bottom() const { return Top; }

  private:
    QPainter& Painter;
    qreal Top = Margin;
};

} // namespace

QImage DrawInfoPage() {
    QImage page(InfoPictureSize, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    PageWriter writer(painter);
    writer.Title(QStringLiteral("Wogenfeld"));
    writer.RuleBelow(10);
    writer.Skip(22);
    writer.Paragraph(Introduction);
    writer.Skip(12);
    writer.Formula();
    writer.Skip(16);
    writer.Paragraph(Symbols);
    writer.Skip(ParagraphGap);
    writer.Paragraph(Waves);
    writer.Skip(ParagraphGap);
    writer.Paragraph(Membrane);
    if (writer.Bottom() > ClosingRuleY - ParagraphGap) {
        throw std::runtime_error(
            "the text ends at y = " + std::to_string(writer.Bottom()) +
            ", too close to the closing rule at y = " + std::to_string(ClosingRuleY));
    }
    writer.Rule(ClosingRuleY);
    return page;
}
