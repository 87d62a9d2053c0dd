// Benchmark main for the viewer: a QApplication on the offscreen platform
// with one 1920 x 1080 screen (the viewer's drawing area is then about
// 1440 x 830), then Google Benchmark.

#include "offscreen_screen.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    kelvora::bench::UseOffscreenScreen(1920, 1080);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
