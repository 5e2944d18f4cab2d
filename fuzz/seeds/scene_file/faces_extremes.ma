//Maya ASCII 2020 scene
createNode mesh -n "m";
	setAttr -s 3 ".vt[0:2]" 0 0 0 1 0 0 0 1 0;
	setAttr -s 3 ".ed[0:2]" 0 1 0 1 2 0 2 0 0;
	setAttr ".fc[0]" -type "polyFaces" f 3 0 1 -2147483648 mu 2147483647 3 0 0 0;
	setAttr ".uvst[1024].uvsp[0:1]" 0 0 1 1;
