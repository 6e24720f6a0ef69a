#pragma once

// Sound files are named relative to the working directory, so the game is started from build/bin.
namespace SoundCues {
constexpr const char* Intro = "../resources/intro.ogg";
constexpr const char* Title = "../resources/title.ogg";
constexpr const char* RaceMusic = "../resources/winter-cold.ogg";
constexpr const char* Storm = "../resources/OceanStorm.ogg";
constexpr const char* Loss = "../resources/doom.ogg";
constexpr const char* Win = "../resources/credits.ogg";
constexpr const char* Thunder = "../resources/Lightning.ogg";
}  // namespace SoundCues
