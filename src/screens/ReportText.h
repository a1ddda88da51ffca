#pragma once
// How the report windows print their numbers and words. Plain functions, so the rules
// can be checked without a window.
#include <string>

// Whole numbers.
std::string wholeText(int value);
// Ledger money, rounded down: an expense of 12.5 shows as -13.
std::string flooredText(double value);
// Axis labels, short enough for a narrow column: whole numbers up to a million,
// beyond that millions with one decimal ("12.3M").
std::string compactText(double value);
// Goods figures and prices.
std::string twoDecimalsText(double value);
// Yesterday's result: a fraction of one shows its decimals, anything else is cut
// toward zero.
std::string dailyChangeText(double value);
// A class share of 0..1 as a whole percentage, cut toward zero.
std::string shareText(double share);
// The housing-demand word, from "None" (0 or less) to "Very high" (1 or more).
std::string demandWord(double demand);
// "1.25x".
std::string rateText(double rate);
// The upgrade button's caption; ends in the font's click mark.
std::string upgradeLabel(double rate);
