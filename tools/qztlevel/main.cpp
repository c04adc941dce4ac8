#include <iostream>

#include "tools/qztlevel/qztlevel.h"

int main(int argc, char** argv) { return qzt::runQztLevel(argc, argv, std::cin, std::cout, std::cerr); }
