// A point in time as a fraction of seconds: numerator / denominator.
#pragma once

#include "ge_types.h"

class BaseTime {
public:
    BaseTime() = default;
    BaseTime(Float numerator, Float denominator)
        : numerator_(numerator), denominator_(denominator) {}
    // t seconds, kept exactly as a fraction over 1.
    explicit BaseTime(Float seconds) : numerator_(seconds), denominator_(1.0) {}

    Float GetNumerator() const { return numerator_; }
    Float GetDenominator() const { return denominator_; }
    // Seconds; 0 for a zero denominator.
    Float Get() const { return denominator_ != 0.0 ? numerator_ / denominator_ : 0.0; }

    bool operator==(const BaseTime&) const = default;

private:
    Float numerator_ = 0.0;
    Float denominator_ = 1.0;
};
