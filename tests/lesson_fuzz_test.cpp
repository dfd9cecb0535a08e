// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson reader against mutated files from a fixed seed: bytes flipped,
// cut off, lines doubled, dropped and swapped, numbers made huge. Each gives a
// lesson or a German message, never a crash or a hang, and a lesson it gives
// is written back as a text that reads as the same lesson.
//
// More files through WOGENFELD_LESSON_FUZZ_FILES.

#include "RandomUser.h"

#include "control/LessonText.h"

#include <gtest/gtest.h>

namespace {

// A lesson with every kind of line: written by hand, not by the writer.
const std::string Seed = "wogenfeld-lesson 1\n"
                         "program 0.9\n"
                         "start running\n"
                         "example 3\n"
                         "frequency 800\n"
                         "amplitude 30\n"
                         "coupling 100\n"
                         "rotate-x 60\n"
                         "rotate-y 0\n"
                         "rotate-z 0\n"
                         "zoom 11\n"
                         "excitation on\n"
                         "cross-grid on\n"
                         "source1 on\n"
                         "source2 on\n"
                         "wavefront off\n"
                         "boundary damped\n"
                         "field1 \"28\"\n"
                         "field2 \"1\"\n"
                         "field3 \"44\"\n"
                         "field4 \"a b\\x22\"\n"
                         "action 0 activate\n"
                         "action 5 slider rotate-x -180\n"
                         "action 5 excitation off\n"
                         "action 7 source 2 off\n"
                         "action 7 field 4 \"\\x5c\xc3\xa4 1\"\n"
                         "action 9 boundary loose\n"
                         "action 9 example 7\n"
                         "action 12 probe 4 71,1\n"
                         "action 12 probe 4 none\n"
                         "action 13 info on\n"
                         "action 13 watch-start\n"
                         "action 20 failed-start\n"
                         "probe1 1,71\n"
                         "probe2 none\n"
                         "probe3 none\n"
                         "probe4 36,36\n"
                         "view -180 0 0 11\n"
                         "passes 30\n"
                         "state 0123456789abcdef\n"
                         "frame fedcba9876543210\n"
                         "end\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t stop = text.find('\n', from);
        lines.push_back(text.substr(from, stop - from + 1));
        from = stop + 1;
    }
    return lines;
}

std::string Mutated(TRandom& random) {
    std::vector<std::string> lines = Lines(Seed);
    const auto line = [&]() -> std::string& {
        return lines[static_cast<std::size_t>(random.Below(static_cast<int>(lines.size())))];
    };
    for (long long change = random.Between(1, 4); change > 0 && !lines.empty(); --change) {
        std::string& chosen = line();
        switch (random.Below(7)) {
        case 0: // a bit flipped
            if (!chosen.empty())
                chosen[static_cast<std::size_t>(random.Below(static_cast<int>(chosen.size())))] ^=
                    static_cast<char>(1 << random.Below(8));
            break;
        case 1:
            lines.insert(lines.begin() + random.Below(static_cast<int>(lines.size())), chosen);
            break;
        case 2:
            lines.erase(lines.begin() + random.Below(static_cast<int>(lines.size())));
            break;
        case 3:
            std::swap(chosen, line());
            break;
        case 4: { // a number made huge, negative or empty
            const std::size_t digit = chosen.find_first_of("0123456789");
            if (digit != std::string::npos)
                chosen.insert(digit, random.Pick(std::vector<std::string>{
                                         "99999999999999999999", "-", "", "9223372036854775807",
                                         "1000000", "0"}));
            break;
        }
        case 5: // cut off
            if (!chosen.empty())
                chosen.resize(
                    static_cast<std::size_t>(random.Below(static_cast<int>(chosen.size()))));
            break;
        default: // a byte of any value put in
            chosen.insert(
                static_cast<std::size_t>(random.Below(static_cast<int>(chosen.size()) + 1)), 1,
                static_cast<char>(random.Below(256)));
            break;
        }
    }
    std::string text;
    for (const std::string& kept : lines)
        text += kept;
    return text;
}

TEST(LessonFuzz, EveryMutatedFileIsALessonOrAMessage) {
    ASSERT_TRUE(std::holds_alternative<TLesson>(ReadLesson(Seed)))
        << std::get<std::string>(ReadLesson(Seed));
    TRandom random(20261209);
    const long long files = EnvironmentNumber("WOGENFELD_LESSON_FUZZ_FILES", 100000);
    long long read = 0;
    for (long long k = 0; k < files; ++k) {
        const std::string text = Mutated(random);
        const std::variant<TLesson, std::string> result = ReadLesson(text);
        if (const auto* message = std::get_if<std::string>(&result)) {
            ASSERT_TRUE(message->starts_with("Die ")) << *message;
            continue;
        }
        ++read;
        const std::string written = LessonText(std::get<TLesson>(result));
        const std::variant<TLesson, std::string> again = ReadLesson(written);
        ASSERT_TRUE(std::holds_alternative<TLesson>(again)) << text;
        ASSERT_EQ(LessonText(std::get<TLesson>(again)), written) << text;
    }
    // Some changes leave a lesson (a value within its range), most do not.
    EXPECT_GT(read, 0);
    EXPECT_LT(read, files / 2);
}

} // namespace
