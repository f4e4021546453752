#pragma once

#include <string>

// The shortest text that reads back as exactly `value` ("50", "3.5",
// "2705.8823529411766"), as a profile writes its numbers and its errors quote them.
std::string numberText(double value);
