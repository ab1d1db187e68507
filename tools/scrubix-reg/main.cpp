#include "CRegTool.h"
#include "platform/Platform.h"

#include <iostream>

int main(int argc, char** argv)
{
    SPlatform platform = CreatePlatform();
    CRegTool tool(*platform.pRegistry, std::cout, std::cerr);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
