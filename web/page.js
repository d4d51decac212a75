// Runs before the program: the end of the program, whatever ends it (exit,
// or a fault of the runtime), is shown in the page instead of the console
// alone.
Module['quit'] = function (status, toThrow) {
  VeloranePage.end(status);
  throw toThrow;
};
Module['onAbort'] = function () {
  VeloranePage.end('abort');
  VeloranePage.status('Velorane s’est arrêté sur une erreur. Rechargez la page.');
};
