#include "shell/startup.h"

int main(int argc, char** argv)
{
    return pluvexa::executaPluvexa(argc, argv);
}
