#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Database tests run on SQLite and on a
# throw-away PostgreSQL cluster started here (unless BRISKO_TEST_PG already names a server).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

# The cluster belongs to whoever runs the tests; root may not own one, so root hands it to the
# postgres account.
as_pg=()
[[ $(id -u) -eq 0 ]] && as_pg=(runuser -u postgres --)

pg_dir=""
stop_pg() {
  if [[ -n "$pg_dir" ]]; then
    "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$pg_dir"
  fi
}
trap stop_pg EXIT

if [[ -z "${BRISKO_TEST_PG:-}" ]]; then
  pg_bin=/usr/lib/postgresql/15/bin
  pg_dir=$(mktemp -d /tmp/brisko-pg.XXXXXX)
  ((${#as_pg[@]})) && chown postgres "$pg_dir"
  port=$((20000 + RANDOM % 20000))
  "${as_pg[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -U brisko -A trust -E UTF8 \
    --locale=C.UTF-8 >/dev/null
  "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/log" -w \
    -o "-p $port -k $pg_dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
  export BRISKO_TEST_PG="postgresql://brisko@127.0.0.1:$port/postgres"
  echo "PostgreSQL test cluster on port $port"
fi

ctest --test-dir build --output-on-failure --parallel "$(nproc)" "$@"
