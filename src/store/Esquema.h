#pragma once

class Diccionario;

// Brings a store made by an earlier version of the program up to the current
// schema, step by step, each step in one write transaction (two workstations
// starting at once upgrade it once). Version 2 makes the store refuse numbers
// outside their columns' ranges: values already stored outside them are set to
// 0 and written, as they were, into the applicant's remarks, so nothing is
// lost. A store that cannot be written is left as it is.
void ActualizarEsquema(Diccionario& d);
