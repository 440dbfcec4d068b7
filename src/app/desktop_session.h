#pragma once

class TfrmTildora;

// What the desktop asks of the program: the desktop file that matches its windows to their
// launcher and icon, and the end of a session. SIGTERM, SIGINT and SIGHUP (logout, shutdown, a
// closed terminal) close the main window as Terminar does and end the program; the session
// manager's request to save closes the open set. Either way the session's score is kept.
void EnlazaConEscritorio(TfrmTildora& ventana);
