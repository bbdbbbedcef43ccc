// Runs the Khronos glTF Validator over the files named on the command line and prints, per file,
// "FILE errors E warnings W" followed by the messages; exits 1 when any file has an error or a
// warning. NODE_PATH names the folder the validator was installed into.
const fs = require('fs');
const validator = require('gltf-validator');

async function main() {
  let failed = false;
  for (const file of process.argv.slice(2)) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {maxIssues: 0});
    const issues = report.issues;
    console.log(`${file} errors ${issues.numErrors} warnings ${issues.numWarnings}`);
    for (const message of issues.messages)
      if (message.severity <= 1) console.log(`  ${message.code} ${message.pointer || ''} ${message.message}`);
    if (issues.numErrors > 0 || issues.numWarnings > 0) failed = true;
  }
  process.exit(failed ? 1 : 0);
}

main().catch((error) => {
  console.log(`validation failed: ${error}`);
  process.exit(2);
});
