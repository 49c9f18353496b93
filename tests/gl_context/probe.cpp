// Calls GL with no context current: run under the context check, it must be caught. A
// check that never sees a call would pass every program.
#include <GL/gl.h>

int main() {
    glClear(GL_COLOR_BUFFER_BIT);
    return 0;
}
