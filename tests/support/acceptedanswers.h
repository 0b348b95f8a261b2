// Every answer the game must accept, question by question, the first being the one usually
// typed: written out here once for the tests, independently of the question bank.
#pragma once

#include <array>

inline constexpr std::array<std::array<const char *, 3>, 15> acceptedAnswers{{
    {"Orvan Quillam"},
    {"Bilbo"},
    {"81"},
    {"Visual Basic", "Visual Basic 6.0", "Microsoft Visual Basic 6.0"},
    {"Holy Grail", "The Holy Grail"},
    {"man", "Man"},
    {"104"},
    {"2"},
    {"Tollen"},
    {"Vantry Middle School"},
    {"0.65", ".65"},
    {"Trombone"},
    {"Trumpet"},
    {"16"},
    {"Saturday"},
}};
