// The game's fixed content: fifteen questions with their answers, prizes and hints.
// Plain C++ on purpose, so the content can be checked without any toolkit.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace content {

struct Question
{
    int number;                                      // 1..15
    std::string_view question;                       // caption of question label N
    std::array<std::string_view, 3> answers;         // accepted answers; unused slots are empty
    std::string_view winningPicture;                 // "Image1".."Image15"
    std::string_view winningTag;                     // "a".."o"
    std::optional<std::string_view> winningsCaption; // none for the last question
    std::string_view phoneHint;
    std::string_view choicesHint;
    std::string_view audienceHint;

    // The accepted answers without the empty slots.
    [[nodiscard]] std::span<const std::string_view> acceptedAnswers() const;
    // Exact, case-sensitive, whole-string match by character code: "81" wins, " 81" and
    // "081" do not. Typed text is UTF-16, as text boxes hold it.
    [[nodiscard]] bool accepts(std::u16string_view typed) const;
};

inline constexpr int questionCount = 15;

// All fifteen rows, question 1 first.
[[nodiscard]] std::span<const Question, questionCount> questions();

// The row of question n, or nullptr when n is not 1..15.
[[nodiscard]] const Question *questionRow(int n);

// The question whose winning tag is exactly `tag` (case-sensitive, whole string), or nullptr.
[[nodiscard]] const Question *questionOfTag(std::string_view tag);

} // namespace content
