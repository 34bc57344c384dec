#pragma once

// The device's lighting triple (effect, option 1, option 2) for the
// lighting page's effect number, speed 0..4 and brightness level 1..4.
// Effects the device does not know give all zeros.
struct LightTriple {
  unsigned char effect = 0, option1 = 0, option2 = 0;
  bool operator==(const LightTriple &) const = default;
};

// Mice with eight-colour lighting.
LightTriple colourfulLightTriple(unsigned char effect, unsigned char speed, unsigned char level);
// Single-colour mice; option 2 is the 55328 variant's.
LightTriple singleColourLightTriple(unsigned char effect, unsigned char speed, unsigned char level);
