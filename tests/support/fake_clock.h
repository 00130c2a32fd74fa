#pragma once
#include "platform/clock.h"

// A clock that shows the time the test sets.
class FakeClock final : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2023, 12, 5), QTime(9, 7, 3)};
};
