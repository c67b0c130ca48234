#pragma once
// The component is built with hidden symbols, and its shared library
// exports only the four registration entry points (a linker version script
// hides everything else). Declarations marked CRECEBER_API are also reachable
// from the test build of the same sources, which has no version script.

#define CRECEBER_API __attribute__((visibility("default")))
