#pragma once
// Records the pauses instead of waiting.
#include "Sleeper.h"

#include <vector>

class RecordingSleeper : public Sleeper {
public:
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<int> pauses;
};
