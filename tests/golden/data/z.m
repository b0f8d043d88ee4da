% written by Octave
Z = [10+5i, -5i
     -5i, 8-2i];
