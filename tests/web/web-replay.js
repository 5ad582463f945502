// scripts/web-replay's body: a replay script played in the page, printed as farrow-replay
// prints it, the screenshots written where --shots says (default the working folder).
"use strict";
const fs = require("fs");
const path = require("path");
const web = require("./farrow-web.js");

const USAGE = "usage: scripts/web-replay [--seed N] [--data DIR] [--story FILE] [--shots DIR] [--no-persist] SCRIPT\n";

async function main(argv) {
  const options = {};
  let shots = ".", script;
  for (let i = 0; i < argv.length; ++i) {
    const arg = argv[i];
    if (arg === "--no-persist") {
      options.noPersist = true;
    } else if (["--seed", "--data", "--story", "--shots"].includes(arg)) {
      if (i + 1 >= argv.length) return usage(`${arg} needs a value`);
      const value = argv[++i];
      if (arg === "--seed") options.seed = value;
      if (arg === "--data") options.data = value;
      if (arg === "--story") options.story = value;
      if (arg === "--shots") shots = value;
    } else if (arg.startsWith("-") || script !== undefined) {
      return usage(`unexpected ${arg}`);
    } else {
      script = arg;
    }
  }
  if (script === undefined) return usage("no script given");
  if (!fs.existsSync(script)) return usage(`cannot read the script ${script}`);
  if (!fs.existsSync(path.join(web.ROOTS["/harness/"], "farrow-replay.js"))) {
    process.stderr.write("web-replay: the page's harness is not built (make web)\n");
    return 1;
  }
  const server = await web.serve(web.ROOTS);
  const browser = await web.launch();
  try {
    const run = await web.replay(browser, server.url, script, options);
    process.stdout.write(run.out);
    process.stderr.write(run.err);
    if (Object.keys(run.shots).length > 0) fs.mkdirSync(shots, { recursive: true });
    for (const [name, bytes] of Object.entries(run.shots)) fs.writeFileSync(path.join(shots, name), bytes);
    return run.status < 0 ? 1 : run.status;
  } finally {
    await browser.close();
    await server.close();
  }
}

function usage(why) {
  process.stderr.write(`web-replay: ${why}\n${USAGE}`);
  return 2;
}

main(process.argv.slice(2)).then((status) => process.exit(status), (error) => {
  process.stderr.write(`web-replay: ${error.stack || error}\n`);
  process.exit(1);
});
