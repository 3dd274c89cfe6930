#!/usr/bin/env python3
"""Checks that the fuzz targets' properties can fail: plants one fault at a time in a copy
of the core, rebuilds the one target that covers it and fuzzes for up to 60 s from the
seeds. Every planted fault must be caught.

    python3 tests/fuzz/mutants.py [M1 M2 ...]

Works on a copy of the committed tree (git archive HEAD) under a temporary folder; the
repository is not touched. Needs clang, cmake and ninja, like scripts/fuzz.sh.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
scratch = tempfile.mkdtemp(prefix="r7716-mutants.")
root = os.path.join(scratch, "tree")
os.makedirs(root)
subprocess.run("git -C '%s' archive HEAD | tar -x -C '%s'" % (repo, root), shell=True, check=True)
subprocess.run(["cmake", "-S", root, "-B", root + "/build", "-G", "Ninja", "-DCMAKE_C_COMPILER=clang",
                "-DCMAKE_CXX_COMPILER=clang++", "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DR7716_FUZZ=ON",
                "-DR7716_BUILD_TESTS=OFF", "-DR7716_BUILD_BENCH=OFF"], check=True, stdout=subprocess.DEVNULL)
M=[
 ('M1 every trailing backslash','lonworks_check','src/core/install/LonWorksCheck.cpp',"if (tail.back() == '\\\\') tail.pop_back();","while (!tail.empty() && tail.back() == '\\\\') tail.pop_back();"),
 ('M2 nine characters','lonworks_check','src/core/install/LonWorksCheck.cpp',"if (tail.size() > 8) {","if (tail.size() > 9) {"),
 ('M3 drop three','path_shortening','src/core/chooser/PathShortening.cpp',"DropChars(text, 4, cp)","DropChars(text, 3, cp)"),
 ('M4 no colon','path_shortening','src/core/chooser/PathShortening.cpp',"FindLastSeparator(path, cp, /*orColon=*/true)","FindLastSeparator(path, cp, /*orColon=*/false)"),
 ('M5 bytewise last separator','path_shortening','src/core/chooser/PathText.h',"    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp))\n        if (text[i] == '\\\\' || (orColon","    for (std::size_t i = 0; i < text.size(); ++i)\n        if (text[i] == '\\\\' || (orColon"),
 ('M6 lower-case hex','header_section','src/core/devtools/HeaderGenerator.cpp','"0123456789ABCDEF"','"0123456789ABCDEf"'),
 ('M7 ancestor off by one','directory_rows','src/core/chooser/DirectoryListModel.cpp',"if (rest[i] == '\\\\' && ++seen == row + 1) {","if (rest[i] == '\\\\' && ++seen == row + 2) {"),
 ('M8 duplicates kept','directory_rows','src/core/chooser/DirectoryListModel.cpp',"names.erase(std::unique(names.begin(), names.end(), same), names.end());","(void)same;"),
 ('M9 no restore','split_target','src/core/chooser/DirectoryListModel.cpp',"if (platform_.IsDirectory(remembered)) platform_.SetWorkingDirectory(remembered);","(void)remembered;"),
 ('M10 name glued','split_target','src/core/chooser/DirectoryListModel.cpp','else split.folderPart += "\\\\" + name;','else split.folderPart += name;'),
]
only = sys.argv[1:]
missed = 0
for name,t,f,old,new in M:
    if only and name.split()[0] not in only: continue
    p=os.path.join(root,f); src=open(p).read()
    assert old in src, name
    open(p,'w').write(src.replace(old,new))
    try:
        b=subprocess.run(['cmake','--build',root+'/build','--target','fuzz_'+t,'-j2'],capture_output=True,text=True)
        if b.returncode: print(name,'BUILD FAILED',b.stdout[-500:]); continue
        work=os.path.join(scratch, 'work'); shutil.rmtree(work,ignore_errors=True); os.makedirs(work+'/c'); 
        for x in os.listdir(root+'/tests/fuzz/corpus/'+t):
            if x.startswith('seed'): shutil.copy(root+'/tests/fuzz/corpus/'+t+'/'+x, work+'/c/')
        env=dict(os.environ, R7716_FUZZ_KNOWN_FAULTS='cross-drive-rollback')
        t0=time.time()
        r=subprocess.run([root+'/build/fuzz/fuzz_'+t,'-max_total_time=60','-artifact_prefix='+work+'/','-print_final_stats=1',work+'/c'],capture_output=True,text=True,env=env)
        lines=[l for l in r.stderr.splitlines() if l.startswith('property failed') or 'runtime error' in l or 'ERROR: AddressSanitizer' in l]
        runs=[l for l in r.stderr.splitlines() if 'number_of_executed_units' in l]
        missed += r.returncode == 0
        print(name, 'CAUGHT' if r.returncode else 'MISSED', '%.0fs'%(time.time()-t0), runs[-1].split()[-1] if runs else '', lines[:1])
    finally:
        open(p,'w').write(src)
shutil.rmtree(scratch, ignore_errors=True)
sys.exit(1 if missed else 0)
