// The winnings captions after banking questions 1 to 14, as the game must show them: written
// out here once for every test, independently of the question bank.
#pragma once

#include <QStringList>

inline const QStringList prizeLadder{
    "Winnings:$100",   "Winnings:$200",    "Winnings:$300",    "Winnings$:500",   "Winnings:$1000",
    "Winnings:$2000",  "Winnings:$4000",   "Winnings:$8000",   "Winnings:$16000", "Winnings:$32000",
    "Winnings:$64000", "Winnings:$125000", "Winnings:$250000", "Winnings:$500000"};
