// The one limit for every path the programs build or take: any path Windows allows (260 UTF-16
// units, the NUL among them) in UTF-8, where a unit takes at most three bytes, and its NUL.
#pragma once

enum { PATH_SIZE = 3 * 260 + 1 };
