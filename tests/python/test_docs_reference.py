"""docs/indicators.md as a user reads it: every entry's feature, at its typical
parameters and with each field it lists, loads through RawEnv from bars carrying every
feed of one symbol; a multi-output name publishes within those bars (a field it does not
list is refused), and a name that the page says the environment cannot feed is refused
with the message the page quotes."""
import decimal
import json
import pathlib
import re

import pytest

from conftest import LOAD, Driver, make_spec

PAGE = pathlib.Path(__file__).resolve().parents[2] / "docs" / "indicators.md"


def read_entries():
    entries = []
    for block in re.split(r"^### ", PAGE.read_text(), flags=re.M)[1:]:
        name = block.split("\n", 1)[0]
        line = {key: re.search(rf"^- {key}: (.*)$", block, re.M)[1] for key in ("Fields", "Feed", "Warm-up", "Feature")}
        feature = json.loads(line["Feature"].strip("`"))
        assert feature["name"] == name
        fields = re.findall(r"`(\w+)`", line["Fields"].split(";")[0]) if line["Fields"].startswith("`") else []
        refused = re.search(r'not available in the environment; the load refuses it: "(.*)"$', line["Feed"])
        warmup = int(re.search(r"\((\d+) bars? at the typical parameters\)$", line["Warm-up"])[1])
        entries.append({"name": name, "params": feature["params"], "fields": fields, "warmup": warmup,
                        "refusal": refused[1] if refused else None})
    return entries


ENTRIES = read_entries()
FED = [e for e in ENTRIES if e["refusal"] is None]
MULTI = [e for e in FED if e["fields"]]


def key_param(p):
    # How a column key prints a parameter: whole numbers as integers, others in plain
    # decimals without an exponent.
    return str(p) if isinstance(p, int) else format(decimal.Decimal(repr(p)), "f")


def indicator(e, field=None):
    f = {"kind": "indicator", "name": e["name"], "params": e["params"]}
    if field is not None:
        f["field"] = field
    return f


def test_every_fed_entry_loads_with_each_field():
    assert len(ENTRIES) == 497  # the registry's 495 names and the two aliases
    features = [indicator(e, field) for e in FED for field in (e["fields"] or [None])]
    warmup = max(e["warmup"] for e in FED)
    env = Driver(make_spec(features, warmup=warmup))
    assert env.raw(LOAD) == '{"ok":true}'
    assert env("spec")["observation_dim"] == len(features)
    row = env("reset")["observation"]
    assert len(row) == len(features)


@pytest.mark.parametrize("entry", MULTI, ids=[e["name"] for e in MULTI])
def test_a_multi_output_name_publishes_within_the_bars(entry):
    # Refused only by a name that has published its list: the listed fields above
    # were then found, not passed for want of any output.
    wrong = entry["fields"][0] + "_unlisted"
    env = Driver(make_spec([indicator(entry, wrong)], warmup=entry["warmup"]))
    key = f"{entry['name']}({','.join(key_param(p) for p in entry['params'])}).{wrong}"
    assert json.loads(env.raw(LOAD)) == {
        "error": f"bad spec: indicator '{key}' has no output field '{wrong}'", "ok": False}


def test_the_names_one_symbol_cannot_feed_are_refused_as_quoted():
    bars = [{"ts": 60_000 * i, "open": 100.0, "high": 101.0, "low": 99.0, "close": 100.5, "volume": 5.0}
            for i in range(3)]
    load = json.dumps({"cmd": "load", "candles": bars})
    refused = [e for e in ENTRIES if e["refusal"] is not None]
    assert refused
    for e in refused:
        env = Driver(make_spec([indicator(e)], warmup=e["warmup"]))
        assert json.loads(env.raw(load)) == {"error": e["refusal"], "ok": False}, e["name"]
