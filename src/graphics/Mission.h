#pragma once

// The mission panel's texts for levels 3 and 4: a random entry of fifteen, each
// written into lines 2 to 6 of the panel (null: the line stays empty).
constexpr int kQuoteCount = 15;
constexpr int kQuoteFirstLine = 2;
constexpr int kQuoteLineCount = 5;
extern const char* const quoteTable[kQuoteCount][kQuoteLineCount];

void clearMissionLines();
void chooseQuote();
