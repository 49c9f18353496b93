// The three sound effects, synthesised.
#pragma once

#include <vector>

struct Sound {
    int sample_rate = 22050;
    std::vector<double> samples; // [-1, 1]
};

Sound make_shot();      // sharp noise burst with a fast decay, 0.25 s
Sound make_explosion(); // punchy attack, low rumbling noise, 1.2 s
Sound make_engine();    // propeller engine swelling in and out with rising pitch, 2 s
