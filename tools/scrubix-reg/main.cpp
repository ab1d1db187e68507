#include "CRegTool.h"
#include "platform/posix/CSqliteRegistry.h"

#include <iostream>

int main(int argc, char** argv)
{
    CSqliteRegistry registry(CSqliteRegistry::FolderFromEnvironment());
    CRegTool tool(registry, std::cout, std::cerr);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
