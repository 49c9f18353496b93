// The replay's catalogue lines: one model drawn alone for a picture, or counted.
#pragma once

#include <string>

// Draws catalogue model `name` alone, centred in view. heading turns the eye about the
// model's vertical axis from its front, pitch raises it, distance 0 frames the model's
// bounds. The program must run in world 2 (its textures are the town's). False for an
// unknown name.
bool view_model(const std::string& name, float heading, float pitch, float distance);
// Draws catalogue model `name` once through the counting layer and prints its JSON line.
bool print_model_census(const std::string& name);
