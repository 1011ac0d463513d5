// plexion-tool: inspects, checks, edits and unpacks resource documents
// without the editor, for build pipelines and scripts.
#include "tool_main.h"

int main(int argc, char** argv) {
    return plexion::tool::ToolMain(argc, argv);
}
