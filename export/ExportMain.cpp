#include "export/DExport.h"

// The headless export on its own: it links the core only, so a run loads
// nothing of the widget toolkit. The application hands --export to it.
int main(int argc, char* argv[])
{
    return DExport::Main(argc, argv);
}
