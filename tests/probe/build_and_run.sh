#!/usr/bin/env bash
# build_and_run.sh <build dir holding platform.pc> <probe.cpp> <work dir>
set -euo pipefail
build_dir=$1 source=$2 work=$3
mkdir -p "$work"
flags=$(PKG_CONFIG_PATH="$build_dir" pkg-config --cflags --libs platform)
# shellcheck disable=SC2086
c++ "$source" -o "$work/probe" $flags
SAVER_REGISTRY="$work/probe-registry.reg" "$work/probe"
