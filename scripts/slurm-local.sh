#!/usr/bin/env bash
# slurm-local.sh [BATCH]: runs docs/recipes/orvanta.sbatch on a private
# single-node Slurm and checks docs/recipes/orvanta-job.yaml against it.
# As root: installs what is missing, starts munged, slurmctld and slurmd from a
# folder of their own (own key, socket, ports and SLURM_CONF: nothing a Slurm
# of the machine uses is changed), submits the recipe with
# sbatch --wait, merges its parts and compares them with the run played in one
# process. Every daemon it started is stopped, by its pid, however it ends.
# BATCH defaults to the release build's orvanta-batch.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
recipe=$repo/docs/recipes/orvanta.sbatch
manifest=$repo/docs/recipes/orvanta-job.yaml
batch=$(realpath "${1:-$repo/build/release/batch/orvanta-batch}")
[ -x "$batch" ] || { echo "slurm-local: no $batch (build orvanta-batch first)" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "slurm-local: the daemons need root (on a cluster, sbatch alone does)" >&2; exit 2; }

clock() { local t=${EPOCHREALTIME/./}; echo "${t#0}"; }
step_started=$(clock)
took() {  # took WHAT: prints how long the step that ends now took
  local tenths=$((($(clock) - step_started) / 100000))
  printf '%-38s %4d.%d s\n' "$1" $((tenths / 10)) $((tenths % 10))
  step_started=$(clock)
}

packages=(slurmctld slurmd slurm-client munge python3-yaml)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  { apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}"; } >/tmp/slurm-local-apt.log 2>&1 ||
    { cat /tmp/slurm-local-apt.log >&2; exit 1; }
fi
took "packages (${#missing[@]} installed)"

dir=$(mktemp -d /tmp/slurm-local.XXXXXX)
chmod 755 "$dir"
daemons=()  # pids, in the order started
# A job's slurmstepd outlives slurmd, as a child of init: ours are known by
# the folder they inherit from our slurmd as their working directory.
job_steps() {
  local pid
  for pid in $(pgrep -x slurmstepd); do [ "$(readlink "/proc/$pid/cwd")" != "$dir" ] || echo "$pid"; done
}
ended() { [[ "$(ps -o stat= -p "$1")" =~ ^Z?$ ]]; }  # a zombie until waited for
stop_all() {
  local status=$? pid steps
  trap - EXIT INT TERM
  [ "$status" = 0 ] || took "ended early (status $status)"
  [ -z "${submitter:-}" ] || kill "$submitter" 2>/dev/null || true
  if [ ${#daemons[@]} = 3 ]; then
    steps=$(job_steps)
    scancel --user root 2>/dev/null || true
    # Until they are gone, zombies included (init may take a while to reap).
    for _ in $(seq 100); do
      steps=$(echo $steps $(job_steps))
      [ -n "$steps" ] && ps -p "$steps" >/dev/null || break
      sleep 0.1
    done
    kill -KILL $(job_steps) 2>/dev/null || true
  fi
  for pid in "${daemons[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${daemons[@]}"; do
    for _ in $(seq 100); do ended "$pid" && break; sleep 0.1; done
    ended "$pid" || kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
  done
  [ "$status" = 0 ] || tail -n 5 "$dir"/*.log "$dir"/run/*.out >&2 2>/dev/null || true
  rm -rf "$dir"
  took "daemons stopped"
  exit "$status"
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# munged, as the munge user, on a key of its own.
mkdir -m 711 "$dir/munge"
chown munge:munge "$dir/munge"
as_munge=(setpriv --reuid=munge --regid=munge --init-groups)
"${as_munge[@]}" mungekey --create --keyfile="$dir/munge/key"
"${as_munge[@]}" munged --foreground --socket="$dir/munge/socket" --key-file="$dir/munge/key" \
  --pid-file="$dir/munge/pid" --seed-file="$dir/munge/seed" 2>"$dir/munged.log" &
daemons+=($!)

node=$(hostname -s)
export SLURM_CONF=$dir/slurm.conf
cat >"$SLURM_CONF" <<EOF
ClusterName=orvanta-local
SlurmctldHost=$node
SlurmctldPort=6917
SlurmdPort=6918
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
NodeName=$node CPUs=$(nproc) State=UNKNOWN
PartitionName=debug Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
for _ in $(seq 50); do [ -S "$dir/munge/socket" ] && break; sleep 0.1; done
slurmctld -D -f "$SLURM_CONF" 2>"$dir/slurmctld.log" &
daemons+=($!)
(cd "$dir" && exec slurmd -D -f "$SLURM_CONF" 2>"$dir/slurmd.log") &
daemons+=($!)
for _ in $(seq 300); do [ "$(sinfo -h -o %T 2>/dev/null)" = idle ] && break; sleep 0.1; done
[ "$(sinfo -h -o %T)" = idle ] || { echo "slurm-local: the node never became idle" >&2; exit 1; }
took "munged, slurmctld, slurmd started"

# The recipe finds orvanta-batch on the PATH, which sbatch passes on.
mkdir "$dir/run"
cd "$dir/run"
PATH=$(dirname "$batch"):$PATH sbatch --wait --quiet "$recipe" &
submitter=$!
wait "$submitter"
submitter=
parts=$(ls part-*.txt | wc -l)
took "sbatch --wait: $parts parts"

"$batch" merge part-*.txt part-*.log --scores merged.txt --log merged.log >merged-summary
took "orvanta-batch merge"

# The recipe's own arguments, as a stand-in orvanta-batch on the PATH sees
# them, for part K of N (or for a pod of the Job, by its index).
mkdir "$dir/shim"
printf '#!/bin/sh\nprintf "%%s\\n" "$@"\n' >"$dir/shim/orvanta-batch"
chmod +x "$dir/shim/orvanta-batch"
recipe_args() { SLURM_ARRAY_TASK_ID=$1 SLURM_ARRAY_TASK_COUNT=$parts PATH=$dir/shim:$PATH sh "$recipe"; }
whole=()
while read -r arg; do
  case $arg in --shard | --scores | --log) read -r _ ;; *) whole+=("$arg") ;; esac
done < <(recipe_args 1)
"$batch" "${whole[@]}" --scores whole.txt --log whole.log >/dev/null
took "the same run in one process"

same() {  # same WHAT A B
  diff "$2" "$3" >"$dir/diff" || { echo "slurm-local: $1 differ:" >&2; head -n 6 "$dir/diff" >&2; exit 1; }
}
same "the statistics files of the merged parts and of the run" merged.txt whole.txt
same "the logs of the merged parts and of the run" <(sort merged.log) <(sort whole.log)
echo "statistics file: $parts merged parts = the run in one process, byte for byte ($(wc -c <whole.txt) bytes)"
echo "log: $parts merged parts = the run in one process, as a set of $(wc -l <whole.log) lines"
grep '^won' merged-summary

# The Job's pods must play the recipe's parts: pod I runs part I + 1.
settings=$(/usr/bin/python3 - "$manifest" <<'EOF'
import shlex, sys, yaml
job = yaml.safe_load(open(sys.argv[1]))
settings = job["spec"]
pod = settings["template"]["spec"]
(box,) = pod["containers"]
assert job["kind"] == "Job" and settings["completionMode"] == "Indexed", "not an indexed Job"
assert pod["restartPolicy"] == "Never", "a failed pod would be restarted in place"
assert box["workingDir"] in [m["mountPath"] for m in box["volumeMounts"]], "the parts are not written to a volume"
print(f"completions={settings['completions']} parallelism={settings['parallelism']}")
print("command=(" + " ".join(map(shlex.quote, box["command"])) + ")")
EOF
)
eval "$settings"
[ "$completions" = "$parts" ] && [ "$parallelism" = "$parts" ] ||
  { echo "slurm-local: the Job has $completions completions, $parallelism in parallel, the recipe $parts parts" >&2; exit 1; }
for ((index = 0; index < parts; index++)); do
  same "the arguments of pod $index and of part $((index + 1))" \
    <(JOB_COMPLETION_INDEX=$index PATH=$dir/shim:$PATH "${command[@]}") <(recipe_args $((index + 1)))
done
echo "Kubernetes Job: $completions completions, $parallelism in parallel, pod I plays part I + 1 with the recipe's arguments"
took "Kubernetes manifest checked"
