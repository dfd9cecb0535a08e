// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the seeded random users share: their seeds and numbers of actions,
// numbers from a seed, and the texts they type into the source fields, good
// and bad alike.

#include <QLocale>
#include <QString>

#include <climits>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

inline long long EnvironmentNumber(const char* name, long long fallback) {
    bool ok = false;
    const long long value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}

// A user of type TUser, made from each seed from `first` on, acts `actions`
// times, in both decimal separators of the frequency display by turns; what
// the first one that fails says, or nothing.
template <class TUser>
std::string FailureOfSeeds(long long first, long long seeds, long long actions) {
    for (long long seed = first; seed < first + seeds; ++seed) {
        QLocale::setDefault(seed % 2 == 0 ? QLocale(QLocale::German, QLocale::Germany)
                                          : QLocale(QLocale::English, QLocale::UnitedStates));
        TUser user(static_cast<std::uint64_t>(seed));
        const bool held = user.Run(actions);
        QLocale::setDefault(QLocale::system());
        if (!held) return user.Failure();
    }
    return {};
}

class TRandom {
  public:
    explicit TRandom(std::uint64_t seed) : Engine(seed) {}
    // Whole numbers lo..hi, both included.
    long long Between(long long lo, long long hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<long long>(Engine() % span);
    }
    int Below(int n) { return static_cast<int>(Between(0, n - 1)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

  private:
    std::mt19937_64 Engine;
};

// A source field's text and, known by construction, the whole number it holds.
struct TFieldText {
    QString Text;
    std::optional<int> Value;
};

inline const std::vector<TFieldText>& FixedTexts() {
    static const std::vector<TFieldText> texts = {{"", {}},
                                                  {" ", {}},
                                                  {"abc", {}},
                                                  {"1.5", {}},
                                                  {"1,5", {}},
                                                  {"12 ", {}},
                                                  {"\t3", {}},
                                                  {"2147483648", {}},
                                                  {"-2147483649", {}},
                                                  {"99999999999", {}},
                                                  {QString::fromUtf8("１２"), {}},
                                                  {QString::fromUtf8("ä"), {}},
                                                  {QString::fromUtf8("٣"), {}},
                                                  {QString::fromUtf8("\u00a012"), {}},
                                                  {"+-3", {}},
                                                  {"-", {}},
                                                  {"0x10", {}},
                                                  {"1e3", {}},
                                                  {"<b>7</b>", {}},
                                                  {"<i>", {}},
                                                  {"a<br>b", {}},
                                                  {" 12", 12},
                                                  {"+7", 7},
                                                  {"-3", -3},
                                                  {"2147483647", INT_MAX},
                                                  {"-2147483648", INT_MIN},
                                                  {"007", 7},
                                                  {"  -0", 0},
                                                  {"36", 36},
                                                  {"71", 71},
                                                  {"0", 0},
                                                  {"72", 72}};
    return texts;
}

// Blanks, a sign and leading zeros before the digits of `magnitude`.
inline QString NumberText(TRandom& random, long long magnitude, bool negative) {
    QString text(random.Below(3), u' ');
    if (negative)
        text += u'-';
    else if (random.Chance(20))
        text += u'+';
    if (random.Chance(10)) text += QString(random.Between(1, 3), u'0');
    return text + QString::number(magnitude);
}

// Texts of every kind, with the edges of 32 bits and of the blanks often.
inline TFieldText RandomText(TRandom& random) {
    switch (random.Below(6)) {
    case 0:
        return random.Pick(FixedTexts());
    case 1: { // anywhere in 32 bits: mostly outside the net
        const long long value = random.Chance(25)
                                    ? random.Pick(std::vector<long long>{INT_MIN, INT_MAX})
                                    : random.Between(INT_MIN, INT_MAX);
        return {NumberText(random, value < 0 ? -value : value, value < 0), static_cast<int>(value)};
    }
    case 2: { // beyond 32 bits
        const bool negative = random.Chance(50);
        const long long edge = negative ? 2147483649LL : 2147483648LL;
        const long long magnitude = random.Chance(50) ? edge : random.Between(edge, 999999999999LL);
        return {NumberText(random, magnitude, negative), {}};
    }
    case 3: { // a good number spoilt, often in front
        TFieldText text = RandomText(random);
        const QString spoilers[] = {" ", "\t", ".", ",", "x", QString::fromUtf8("ß")};
        const QString& spoiler = spoilers[random.Below(6)];
        if (spoiler == " ")
            text.Text += spoiler; // a trailing blank
        else
            text.Text.insert(
                random.Chance(50) ? 0 : random.Below(static_cast<int>(text.Text.size()) + 1),
                spoiler);
        return {text.Text, {}};
    }
    default: { // inside the net, or just outside it
        const long long value = random.Between(-2, 73);
        return {NumberText(random, value < 0 ? -value : value, value < 0), static_cast<int>(value)};
    }
    }
}

inline std::string Quoted(const QString& text) {
    return '"' + QString(text).replace(u'\t', QStringLiteral("\\t")).toStdString() + '"';
}
