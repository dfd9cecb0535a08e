// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/OptionConflicts.h"

#include "output/OutputFile.h"
#include "render/RenderOptions.h"
#include "render/RenderSettings.h"

#include <QFileInfo>

#include <algorithm>

namespace {

bool DirectoryWritable(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// "--a, --b or --c".
QString Alternatives(const std::vector<const char*>& names) {
    QString text;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k > 0) text += k + 1 == names.size() ? QStringLiteral(" or ") : QStringLiteral(", ");
        text += Dashed(names[k]);
    }
    return text;
}

// Every output once, each one that can be written; standard output for one at most.
std::optional<QString> OutputConflict(const TRenderSettings& s, const QCommandLineParser& parser) {
    struct TOutput {
        QString Option;
        QString Path;
    };
    std::vector<TOutput> files;
    std::vector<TOutput> folders;
    for (const TRenderOption& row : RenderOptionTable()) {
        const QString name = QLatin1String(row.Name);
        if (!parser.isSet(name)) continue;
        if (std::holds_alternative<TFileValue>(row.Value))
            files.push_back({Dashed(row.Name), parser.value(name)});
        if (std::holds_alternative<TFolderValue>(row.Value))
            folders.push_back({Dashed(row.Name), parser.value(name)});
    }
    for (const TOutput& folder : folders) {
        if (folder.Path == QLatin1String("-"))
            return QStringLiteral("%1: standard output cannot hold frame files").arg(folder.Option);
    }
    for (std::size_t k = 0; k < files.size(); ++k) {
        const TOutput& file = files[k];
        if (const std::optional<QString> refusal = OutputRefusal(file.Path)) {
            return QStringLiteral("%1: %2").arg(file.Option, *refusal);
        }
        const TOutputTarget target = OutputTarget(file.Path);
        const bool standardOutput = target.Kind == TOutputTarget::TKind::StandardOutput;
        if (standardOutput && s.PrintHashes) {
            return QStringLiteral("%1 - and --hash both write to standard output").arg(file.Option);
        }
        for (std::size_t m = 0; m < k; ++m) {
            const TOutput& earlier = files[m];
            if (OutputTarget(earlier.Path).Path != target.Path) continue;
            if (standardOutput)
                return QStringLiteral("%1 and %2 both write to standard output")
                    .arg(earlier.Option, file.Option);
            return QStringLiteral("%1 and %2 name the same file %3")
                .arg(earlier.Option, file.Option, file.Path);
        }
    }
    for (const TOutput& folder : folders) {
        if (!DirectoryWritable(folder.Path))
            return QStringLiteral("%1: cannot write into the folder %2")
                .arg(folder.Option, folder.Path);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> OptionConflict(const TRenderSettings& s, const QCommandLineParser& parser) {
    const std::vector<TRenderOption>& table = RenderOptionTable();
    const auto given = [&parser](const char* name) { return parser.isSet(QLatin1String(name)); };
    const auto anyGiven = [&given](const std::vector<const char*>& names) {
        return std::any_of(names.begin(), names.end(), given);
    };
    for (const TRenderOption& row : table) {
        if (row.Excludes && given(row.Name) && given(row.Excludes)) {
            return QStringLiteral("%1 and %2 %3")
                .arg(Dashed(row.Name), Dashed(row.Excludes), QLatin1String(row.ExcludesWhy));
        }
        if (!row.SetsControls || !given(row.Name)) continue;
        for (const TRenderOption& control : table) {
            if (control.Group == TOptionGroup::Controls && given(control.Name))
                return QStringLiteral("%1 and %2: %1 sets the controls; give one")
                    .arg(Dashed(row.Name), Dashed(control.Name));
        }
    }
    // What one option lacks: a partner it needs, or what its check asks of the values.
    const auto lacking = [&](const TRenderOption& row) -> std::optional<QString> {
        const bool without = given(row.Name) && !row.Needs.empty() && !anyGiven(row.Needs);
        const bool orphans = row.NeededBack && !given(row.Name) && anyGiven(row.Needs);
        if (without || orphans) {
            QString message =
                QStringLiteral("%1 needs %2%3")
                    .arg(Dashed(row.Name), QLatin1String(row.NeedsWhat), Alternatives(row.Needs));
            if (row.NeededBack)
                message += QStringLiteral(", and they need %1").arg(Dashed(row.Name));
            return message;
        }
        if (row.Check && given(row.Name)) return row.Check(s);
        return std::nullopt;
    };
    // An option with a check of its own comes after the plain ones: a command
    // line that lacks several things is told first what a plain option lacks.
    for (const bool checked : {false, true}) {
        for (const TRenderOption& row : table) {
            if ((row.Check != nullptr) != checked) continue;
            if (std::optional<QString> refusal = lacking(row)) return refusal;
        }
    }
    return OutputConflict(s, parser);
}
