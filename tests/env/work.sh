# Sourced first by every test environment: the scratch folder of a test or
# script, and the teardown of all that the environments start. Each helper that
# starts something pushes the command that ends it; at exit the commands run
# newest first, so a program ends before its server and a server before the
# folder it writes into goes. The folder stays when KEEP is set.
#   work_dir NAME    makes /tmp/tallimo-NAME.XXXXXX into $work, removed at exit
#   at_exit COMMAND  runs COMMAND (a shell line, read then) at exit
if [ -z "${env_teardown_set:-}" ]; then
  env_teardown_set=1
  env_teardown=()
  at_exit() { env_teardown+=("$1"); }
  env_run_teardown() {
    local i
    # Best effort: a failing step must not skip the rest nor change the exit code.
    for ((i = ${#env_teardown[@]} - 1; i >= 0; i--)); do eval "${env_teardown[i]}" || true; done
  }
  trap env_run_teardown EXIT
fi

work_dir() {
  work=$(mktemp -d "/tmp/tallimo-$1.XXXXXX")
  at_exit "[ -n \"\${KEEP:-}\" ] || rm -rf $(printf %q "$work")"
}
