#pragma once

// The models of the particle scenes: each gives the displacement of a
// particle at any time t of the period (t = FrameNo / frames at the
// frames), computed exactly as the scene draws it, rounding included.
// Each scene's DrawFrame draws from its model; MediumOf (scenes/medium.h)
// turns them into particle rows for the probe.

#include <cstdint>

namespace kelvora {

namespace ShmTransverseWave {
// Particle i = 0, 10, ..., 420 rests at x = i + 220 on y = 120. Wavelength
// 240, amplitude 80 x AspectFactor, travelling right.
std::int32_t Displacement(double aspectFactor, std::int32_t i, double t);
}  // namespace ShmTransverseWave

namespace TransverseWaveMedium {
// Particle i = 0, 30, ..., 600 rests at x = i + 35 on y = 120. Wavelength
// 420, amplitude 50, travelling right.
std::int32_t Displacement(std::int32_t i, double t);
}  // namespace TransverseWaveMedium

namespace LongitudinalWave {
// Layer i = 0, 36, ..., 576 rests at x = i + 35; its particle sits on the
// axis y = 120. Wavelength 360, amplitude 30, travelling right.
std::int32_t Displacement(std::int32_t i, double t);
}  // namespace LongitudinalWave

namespace TransverseStandingWave {
// The dot of x = 0, 8, ..., 480 stands at round(x + 80) on y = 120.
// Wavelength 240; each travelling wave has amplitude 40 (these two give
// the wave without its amplitude).
double TowardsRight(float x, double t);
double TowardsLeft(float x, double t);
// The standing wave: the sum of the unrounded waves, rounded once.
std::int32_t Sum(float x, double t);
}  // namespace TransverseStandingWave

namespace LongitudinalStandingWave {
// The particle of x = 0, 20, ..., 640 rests at x + 20. Wavelength 320,
// amplitude 15 each, held in single precision and not rounded.
float TowardsRight(std::int16_t x, double t);
float TowardsLeft(std::int16_t x, double t);
// The standing wave of the bottom row (y = 40): the sum, rounded.
std::int16_t Sum(std::int16_t x, double t);
}  // namespace LongitudinalStandingWave

namespace EndReflection {
// The end stands at x = 360, one and a half wavelengths (240) from the
// left edge. phaseShift is added to both waves: 0 for a fixed end, a
// quarter period for a free one. The waves have amplitude 40.
double Incident(std::int16_t x, double t, double phaseShift);
double Reflected(std::int16_t x, double t, double phaseShift);
// The string itself, x = 0, 8, ..., 360 on y = 120: the sum of the
// unrounded waves, rounded once.
std::int16_t Resultant(std::int16_t x, double t, double phaseShift);
// The quarter period of the free end.
double FreeEndShift();
}  // namespace EndReflection

namespace ClosedPipe {
// The air column of n displacement nodes, closed at Q = 0, open at Q = 480;
// layer Q = 0, 20, ..., 480 rests at x = Q + 40. The amplitude is worked
// out first, so n < 1 fails in the logarithm before anything else.
struct Column {
    float amplitude;   // of each travelling component
    float wavelength;  // 2n - 1 quarter wavelengths fill the pipe
};
Column ColumnFor(std::int16_t n);
std::int16_t Displacement(const Column& column, std::int16_t q, double t);
std::int16_t Density(const Column& column, std::int16_t q, double t);
}  // namespace ClosedPipe

namespace OpenPipe {
// The air column of n displacement nodes, open at both ends (Q = 0 and
// 480); layer Q = 0, 20, ..., 480 rests at x = Q + 80.
struct Column {
    std::int32_t amplitude;   // of each travelling component
    std::int32_t wavelength;  // n half wavelengths fill the pipe
};
Column ColumnFor(std::int16_t n);
std::int32_t Displacement(const Column& column, std::int32_t q, double t);
std::int32_t Density(const Column& column, std::int32_t q, double t);
}  // namespace OpenPipe

}  // namespace kelvora
