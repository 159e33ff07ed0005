#include "gui/Application.h"

int main(int argc, char** argv) { return valquor::RunValquor(argc, argv); }
