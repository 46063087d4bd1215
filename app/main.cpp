// The demo's entry: the full-screen question, the window and its context, the scene, the frame loop.
#include <GL/gl.h>

#include "app/scene.h"
#include "corvel/corvel.h"
#include "platform/dialog.h"
#include "platform/gl_context.h"

int main() {
    using namespace corvel;

    // Anything but an explicit No (a failed box included) means full screen.
    FULLSCREEN = platform::message_box(0, "Settare lo schermo intero?  ", "Video!",
                                       platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDNO;
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Esplosione 3D - Z gerera esplosione", 800, 600, 32, FULLSCREEN);
    OPENGL_INIT(100.0, 0, 0, 0, 0);
    SETGLREFRACTIVE();
    SETGLLIGHT(GL_LIGHT0, 0, 0, 0, 0.1f);
    explosion_demo::OPENGL_CREATELIST();

    // No timer and no limit: the explosion advances one step per presented frame.
    do {
        glClear(GL_COLOR_BUFFER_BIT);
        SETGLMSG();
        explosion_demo::OPENGL_DRAW();
        platform::swap_buffers(DCWINDOW);
    } while (ACTIVE);

    DELETEOGLWINDOW();
    return 0;
}
