// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderHelp.h"

#include "render/RenderOptions.h"
#include "render/RenderSettings.h"
#include "sim/NetSize.h"

#include <QCommandLineOption>

#include <algorithm>

namespace {

// Where the help's own paragraphs are wrapped, as the parser wraps the options.
constexpr qsizetype HelpWidth = 79;

// The row's help with its placeholders filled in; `defaults` are the
// settings no option has changed.
QString HelpLine(const TRenderOption& row, TRenderSettings& defaults) {
    QString text = QString::fromUtf8(row.Help);
    text.replace(QLatin1String("{visible}"), QString::number(VisibleNodes));
    text.replace(QLatin1String("{gif-every}"), QString::number(GifEvery));
    if (const std::optional<TRange> range = RangeOf(row.Value)) {
        text.replace(QLatin1String("{range}"),
                     QStringLiteral("%1..%2").arg(range->Min).arg(range->Max));
    }
    std::visit(TCases{
                   [&](const TSliderValue& v) {
                       text.replace(QLatin1String("{start}"), QString::number(StartOf(v.Which)));
                   },
                   [&](const TWholeValue& v) {
                       text.replace(QLatin1String("{default}"), QString::number(v.Field(defaults)));
                   },
                   [&](const TCountValue& v) {
                       text.replace(QLatin1String("{default}"), QString::number(v.Field(defaults)));
                   },
                   [](const auto&) {},
               },
               row.Value);
    return text;
}

// Greedily into lines of at most HelpWidth characters, paragraph by paragraph.
QString Wrapped(const QStringList& paragraphs) {
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        if (!lines.isEmpty()) lines << QString();
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > HelpWidth) {
                lines << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

// "the run and its pictures (--iterations to --crop)": a group as the help names it.
QString GroupText(TOptionGroup group, const char* caption) {
    const std::vector<TRenderOption>& table = RenderOptionTable();
    const auto inGroup = [group](const TRenderOption& row) { return row.Group == group; };
    const auto first = std::find_if(table.begin(), table.end(), inGroup);
    const auto last = std::find_if(table.rbegin(), table.rend(), inGroup);
    return QStringLiteral("%1 (%2 to %3)")
        .arg(QLatin1String(caption), Dashed(first->Name), Dashed(last->Name));
}

QString Description() {
    return Wrapped({
        QStringLiteral("Runs the Wogenfeld net without a window and writes its frames as PNG or "
                       "as an animated GIF, the motion of chosen nodes and the energy of the net "
                       "as a table and a chart, and a profile of the net along a row or a "
                       "column."),
        QStringLiteral("The options come in three groups: %1, %2, and %3.")
            .arg(GroupText(TOptionGroup::Controls, "the controls of the window"),
                 GroupText(TOptionGroup::Run, "the run and its pictures"),
                 GroupText(TOptionGroup::Measuring, "measuring")),
        QStringLiteral("A FILE of - is standard output, for one output at most and not with "
                       "--hash. A regular file is written under a temporary name and renamed "
                       "when complete, keeping its permissions; a symbolic link is followed; a "
                       "device, FIFO or socket is written in place. Bad arguments or an output "
                       "that cannot be opened end the program with status 2, a failed run or "
                       "write with 1."),
    });
}

} // namespace

void DefineRenderOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(Description());
    // Single-dash words are refused by their whole name, not letter by letter.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    TRenderSettings defaults;
    for (const TRenderOption& row : RenderOptionTable()) {
        parser.addOption(QCommandLineOption(NamesOf(row), HelpLine(row, defaults),
                                            QLatin1String(row.ValueName)));
    }
}

QString RenderUsage() {
    QCommandLineParser parser;
    DefineRenderOptions(parser);
    // Qt would name the program after the application object, made only after the options are read.
    const QString text = parser.helpText();
    return QStringLiteral("Usage: wogenfeld-render [options]") + text.mid(text.indexOf(u'\n'));
}
