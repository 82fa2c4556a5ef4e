// The main program of the window benchmarks: a Qt application on the platform given
// (offscreen unless told) with the product's dictionary builders, then the benchmarks.
#pragma once

int BenchQtMain(int argc, char** argv, const char* platform = "offscreen");
