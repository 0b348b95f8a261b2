#include "questionbank.h"

#include <algorithm>

namespace content {
namespace {

constexpr std::array<Question, questionCount> bank{{
    {1,
     "1.Who created Dracula?",
     {"Orvan Quillam"},
     "Image1",
     "a",
     "Winnings:$100",
     "I think the answer is Orvan Quillam. I'm 90% sure.",
     "There are three choices. The choices are Orvan Quillam,Vorel Brask, and Dr.Marrick.",
     "The audience thinks the answer is Orvan Quillam."},
    {2,
     "2.Who is the main character in \"The Hobbit\"?",
     {"Bilbo"},
     "Image2",
     "b",
     "Winnings:$200",
     "I never read The Hobbit. Good luck guessing!",
     "There are two choices. The choices are Dr.Marrick and Bilbo.",
     "The audience thinks the answer is Dr.Marrick."},
    {3,
     "3.What is 9 squared?",
     {"81"},
     "Image3",
     "c",
     "Winnings:$300",
     "That is an easy math problem. The answer is 81. I'm 100% sure.",
     "There are four choices. The choices are 81,18,16, and 63.",
     "The audience thinks the answer is 81."},
    {4,
     "4.What did I use to create this program?",
     {"Visual Basic", "Visual Basic 6.0", "Microsoft Visual Basic 6.0"},
     "Image4",
     "d",
     "Winnings$:500",
     "I made this program. The answer is Microsoft Visual Basic 6.0. I'm 100% sure.",
     "There are three choices. The choices are Microsoft Visual C++,Java. and Microsoft Visual "
     "Basic 6.0",
     "The audience thinks the answer is Microsoft Visual Basic 6.0"},
    {5,
     "5.What does King Arthur seek?",
     {"The Holy Grail", "Holy Grail"},
     "Image5",
     "e",
     "Winnings:$1000",
     "I think the answer is The Holy Grail. I'm 80% sure.",
     "There are three choices. The choices are Excaliber,The Holy Grail, and Camelot.",
     "The audience thinks the answer is The Holy Grail."},
    {6,
     "6.What is the only mammal that can't fly and fly?",
     {"man", "Man"},
     "Image6",
     "f",
     "Winnings:$2000",
     "I'm not good at riddles. My guess would be man. I'm 50% sure.",
     "There are four choices. The choices are man,bird,fish, and crocodile.",
     "The audience thinks the answer is Bird."},
    {7,
     "7.How many keyboard buttons can you press on this keyboard?",
     {"104"},
     "Image7",
     "g",
     "Winnings:$4000",
     "I don't count the keyboard keys. I have no idea. Good luck guessing!",
     "There are three choices. The choices are 112,104, and 106.",
     "The audience thinks the answer is 112."},
    {8,
     "8.What is the slope of the coordinates (1,2) and (2,4)?",
     {"2"},
     "Image8",
     "h",
     "Winnings:$8000",
     "The answer is 2. I'm 70% sure.",
     "There are four choices. The choices are 11,2,3and 4.",
     "The audience thinks the answer is 4."},
    {9,
     "9.What is Vorel's brother's first name?",
     {"Tollen"},
     "Image9",
     "i",
     "Winnings:$16000",
     "I am tired right now. Answer the question by yourself. Bye.",
     "There are four choices. The choices are John,Tollen,James, and Kevin.",
     "The audience thinks the answer is Tollen."},
    {10,
     "10.What school does Vorel S. Brask go to?(Put in the full name.)",
     {"Vantry Middle School"},
     "Image10",
     "j",
     "Winnings:$32000",
     "The answer is Vantry Middle School. I'm 70% sure.",
     "There are four choices. The choices are Vantry Middle School,Quorrel Middle "
     "School,Dessick Middle School, and Lomberly Middle School.",
     "The audience thinks the answer is Vantry Middle School."},
    {11,
     "11.What is 65% in decimal form?",
     {"0.65", ".65"},
     "Image11",
     "k",
     "Winnings:$64000",
     "The answer is 0.65. I'm 100% sure.",
     "There are three choices. The choices are 0.6,0.65, and .7.",
     "The audience thinks the answer is 0.65."},
    {12,
     "12.What instrument does Vorel S. Brask play?",
     {"Trombone"},
     "Image12",
     "l",
     "Winnings:$125000",
     "The answer is Trombone. I'm 90% sure.",
     "There are five choices. The choices are "
     "Trumpet,Percussion,Clarinet,Trombone, and Saxophone.",
     "The audience thinks the answer is Trombone."},
    {13,
     "13.What instrument does Vorel's brother play?",
     {"Trumpet"},
     "Image13",
     "m",
     "Winnings:$250000",
     "I can't remember for some reason. Good luck guessing!",
     "There are five choices. The choices are Trombone,Flute,Trumpet,Percussion, and Clarinet.",
     "The audience thinks the answer is Trumpet."},
    {14,
     "14.How many balls do you use when you play pool?",
     {"16"},
     "Image14",
     "n",
     "Winnings:$500000",
     "I play pool sometimes. The answer is 16. I'm 60% sure.",
     "There are three choices. The choices are 15,16, and 14.",
     "The audience thinks the answer is 15."},
    {15,
     "15.What day was this program started?(Put in Sunday or Monday orTuesday etc.)",
     {"Saturday"},
     "Image15",
     "o",
     std::nullopt,
     "This question you answer. Good luck!",
     "There are four choices. The choices are Sunday,Tuesday,Thursday, and Saturday. ",
     "The audience thinks the answer is Thursday."},
}};

} // namespace

std::span<const std::string_view> Question::acceptedAnswers() const
{
    const auto used = std::ranges::find(answers, std::string_view{});
    return {answers.begin(), used};
}

bool Question::accepts(std::u16string_view typed) const
{
    const auto sameCode = [](char stored, char16_t typedCode) {
        return char16_t(static_cast<unsigned char>(stored)) == typedCode;
    };
    return std::ranges::any_of(acceptedAnswers(), [&](std::string_view answer) {
        return std::ranges::equal(answer, typed, sameCode);
    });
}

std::span<const Question, questionCount> questions()
{
    return bank;
}

const Question *questionRow(int n)
{
    if (n < 1 || n > questionCount)
        return nullptr;
    return &bank[static_cast<std::size_t>(n - 1)];
}

const Question *questionOfTag(std::string_view tag)
{
    const auto it = std::ranges::find(bank, tag, &Question::winningTag);
    return it == bank.end() ? nullptr : &*it;
}

} // namespace content
