#pragma once
// The language's own commands: output, errors, evaluation, strings and math.

namespace mel {

class Interpreter;

void registerBuiltins(Interpreter& interp);
void registerLanguageBuiltins(Interpreter& interp);
void registerStringBuiltins(Interpreter& interp);
void registerMathBuiltins(Interpreter& interp);

}  // namespace mel
