#include "questionbank.h"

#include <algorithm>

namespace content {
namespace {

constexpr std::array<Question, questionCount> bank{{
    {.number = 1,
     .question = "1.Who created Dracula?",
     .answers = {"Orvan Quillam"},
     .winningPicture = "Image1",
     .winningTag = "a",
     .winningsCaption = "Winnings:$100",
     .phoneHint = "I think the answer is Orvan Quillam. I'm 90% sure.",
     .choicesHint =
         "There are three choices. The choices are Orvan Quillam,Vorel Brask, and Dr.Marrick.",
     .audienceHint = "The audience thinks the answer is Orvan Quillam."},
    {.number = 2,
     .question = "2.Who is the main character in \"The Hobbit\"?",
     .answers = {"Bilbo"},
     .winningPicture = "Image2",
     .winningTag = "b",
     .winningsCaption = "Winnings:$200",
     .phoneHint = "I never read The Hobbit. Good luck guessing!",
     .choicesHint = "There are two choices. The choices are Dr.Marrick and Bilbo.",
     .audienceHint = "The audience thinks the answer is Dr.Marrick."},
    {.number = 3,
     .question = "3.What is 9 squared?",
     .answers = {"81"},
     .winningPicture = "Image3",
     .winningTag = "c",
     .winningsCaption = "Winnings:$300",
     .phoneHint = "That is an easy math problem. The answer is 81. I'm 100% sure.",
     .choicesHint = "There are four choices. The choices are 81,18,16, and 63.",
     .audienceHint = "The audience thinks the answer is 81."},
    {.number = 4,
     .question = "4.What did I use to create this program?",
     .answers = {"Visual Basic", "Visual Basic 6.0", "Microsoft Visual Basic 6.0"},
     .winningPicture = "Image4",
     .winningTag = "d",
     .winningsCaption = "Winnings$:500",
     .phoneHint = "I made this program. The answer is Microsoft Visual Basic 6.0. I'm 100% sure.",
     .choicesHint =
         "There are three choices. The choices are Microsoft Visual C++,Java. and Microsoft Visual "
         "Basic 6.0",
     .audienceHint = "The audience thinks the answer is Microsoft Visual Basic 6.0"},
    {.number = 5,
     .question = "5.What does King Arthur seek?",
     .answers = {"The Holy Grail", "Holy Grail"},
     .winningPicture = "Image5",
     .winningTag = "e",
     .winningsCaption = "Winnings:$1000",
     .phoneHint = "I think the answer is The Holy Grail. I'm 80% sure.",
     .choicesHint =
         "There are three choices. The choices are Excaliber,The Holy Grail, and Camelot.",
     .audienceHint = "The audience thinks the answer is The Holy Grail."},
    {.number = 6,
     .question = "6.What is the only mammal that can't fly and fly?",
     .answers = {"man", "Man"},
     .winningPicture = "Image6",
     .winningTag = "f",
     .winningsCaption = "Winnings:$2000",
     .phoneHint = "I'm not good at riddles. My guess would be man. I'm 50% sure.",
     .choicesHint = "There are four choices. The choices are man,bird,fish, and crocodile.",
     .audienceHint = "The audience thinks the answer is Bird."},
    {.number = 7,
     .question = "7.How many keyboard buttons can you press on this keyboard?",
     .answers = {"104"},
     .winningPicture = "Image7",
     .winningTag = "g",
     .winningsCaption = "Winnings:$4000",
     .phoneHint = "I don't count the keyboard keys. I have no idea. Good luck guessing!",
     .choicesHint = "There are three choices. The choices are 112,104, and 106.",
     .audienceHint = "The audience thinks the answer is 112."},
    {.number = 8,
     .question = "8.What is the slope of the coordinates (1,2) and (2,4)?",
     .answers = {"2"},
     .winningPicture = "Image8",
     .winningTag = "h",
     .winningsCaption = "Winnings:$8000",
     .phoneHint = "The answer is 2. I'm 70% sure.",
     .choicesHint = "There are four choices. The choices are 11,2,3and 4.",
     .audienceHint = "The audience thinks the answer is 4."},
    {.number = 9,
     .question = "9.What is Vorel's brother's first name?",
     .answers = {"Tollen"},
     .winningPicture = "Image9",
     .winningTag = "i",
     .winningsCaption = "Winnings:$16000",
     .phoneHint = "I am tired right now. Answer the question by yourself. Bye.",
     .choicesHint = "There are four choices. The choices are John,Tollen,James, and Kevin.",
     .audienceHint = "The audience thinks the answer is Tollen."},
    {.number = 10,
     .question = "10.What school does Vorel S. Brask go to?(Put in the full name.)",
     .answers = {"Vantry Middle School"},
     .winningPicture = "Image10",
     .winningTag = "j",
     .winningsCaption = "Winnings:$32000",
     .phoneHint = "The answer is Vantry Middle School. I'm 70% sure.",
     .choicesHint = "There are four choices. The choices are Vantry Middle School,Quorrel Middle "
                    "School,Dessick Middle School, and Lomberly Middle School.",
     .audienceHint = "The audience thinks the answer is Vantry Middle School."},
    {.number = 11,
     .question = "11.What is 65% in decimal form?",
     .answers = {"0.65", ".65"},
     .winningPicture = "Image11",
     .winningTag = "k",
     .winningsCaption = "Winnings:$64000",
     .phoneHint = "The answer is 0.65. I'm 100% sure.",
     .choicesHint = "There are three choices. The choices are 0.6,0.65, and .7.",
     .audienceHint = "The audience thinks the answer is 0.65."},
    {.number = 12,
     .question = "12.What instrument does Vorel S. Brask play?",
     .answers = {"Trombone"},
     .winningPicture = "Image12",
     .winningTag = "l",
     .winningsCaption = "Winnings:$125000",
     .phoneHint = "The answer is Trombone. I'm 90% sure.",
     .choicesHint = "There are five choices. The choices are "
                    "Trumpet,Percussion,Clarinet,Trombone, and Saxophone.",
     .audienceHint = "The audience thinks the answer is Trombone."},
    {.number = 13,
     .question = "13.What instrument does Vorel's brother play?",
     .answers = {"Trumpet"},
     .winningPicture = "Image13",
     .winningTag = "m",
     .winningsCaption = "Winnings:$250000",
     .phoneHint = "I can't remember for some reason. Good luck guessing!",
     .choicesHint =
         "There are five choices. The choices are Trombone,Flute,Trumpet,Percussion, and Clarinet.",
     .audienceHint = "The audience thinks the answer is Trumpet."},
    {.number = 14,
     .question = "14.How many balls do you use when you play pool?",
     .answers = {"16"},
     .winningPicture = "Image14",
     .winningTag = "n",
     .winningsCaption = "Winnings:$500000",
     .phoneHint = "I play pool sometimes. The answer is 16. I'm 60% sure.",
     .choicesHint = "There are three choices. The choices are 15,16, and 14.",
     .audienceHint = "The audience thinks the answer is 15."},
    {.number = 15,
     .question = "15.What day was this program started?(Put in Sunday or Monday orTuesday etc.)",
     .answers = {"Saturday"},
     .winningPicture = "Image15",
     .winningTag = "o",
     .winningsCaption = std::nullopt,
     .phoneHint = "This question you answer. Good luck!",
     .choicesHint =
         "There are four choices. The choices are Sunday,Tuesday,Thursday, and Saturday. ",
     .audienceHint = "The audience thinks the answer is Thursday."},
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
